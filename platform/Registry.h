// Read access to the system registry, shaped like the three Win32 calls the installer needs.
#pragma once

#include <cstdint>
#include <string>

#include "platform/ErrorCode.h"
#include "platform/UniqueHandle.h"

namespace quorvel::platform {

// An open registry key. The predefined roots are pseudo-handles that are never closed.
using RegistryHandle = std::uintptr_t;

inline constexpr RegistryHandle kClassesRoot = 0x80000000u;  // HKEY_CLASSES_ROOT
inline constexpr std::uint32_t kKeyRead = 0x20019u;          // KEY_READ

// RegOpenKeyExA: opens `subKey` below `parent` with the access asked for.
ErrorCode OpenRegistryKey(RegistryHandle parent, const std::string& subKey, std::uint32_t access,
                          RegistryHandle* result);

// RegQueryValueExA: copies the value's bytes into `data`, whose size in bytes `*size` gives;
// on return `*size` holds the value's size. A value larger than the buffer fails with
// kMoreData. String values arrive as narrow text with their terminating zero.
ErrorCode QueryRegistryValue(RegistryHandle key, const std::string& valueName, unsigned char* data,
                             std::uint32_t* size);

// RegCloseKey.
ErrorCode CloseRegistryKey(RegistryHandle key);

// The owner of an open key, which closes it.
inline void CloseOwnedRegistryKey(RegistryHandle key) {
    static_cast<void>(CloseRegistryKey(key));
}
using RegistryKey = UniqueHandle<RegistryHandle, &CloseOwnedRegistryKey, RegistryHandle{0}>;

// Opens `subKey` below `parent` for reading (KEY_READ).
Result<RegistryKey> OpenRegistryKeyForReading(RegistryHandle parent, const std::string& subKey);

}  // namespace quorvel::platform
