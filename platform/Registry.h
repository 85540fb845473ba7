// Read access to the system registry, shaped like the three Win32 calls the installer needs.
#pragma once

#include <cstdint>
#include <string>

namespace quorvel::platform {

// An open registry key. The predefined roots are pseudo-handles that are never closed.
using RegistryHandle = std::uintptr_t;

inline constexpr RegistryHandle kClassesRoot = 0x80000000u;  // HKEY_CLASSES_ROOT
inline constexpr std::uint32_t kKeyRead = 0x20019u;          // KEY_READ

// Win32 error codes the registry calls return (ERROR_SUCCESS is 0).
inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorAccessDenied = 5;
inline constexpr long kErrorInvalidHandle = 6;
inline constexpr long kErrorMoreData = 234;

// RegOpenKeyExA: opens `subKey` below `parent` with the access asked for.
long OpenRegistryKey(RegistryHandle parent, const std::string& subKey, std::uint32_t access,
                     RegistryHandle* result);

// RegQueryValueExA: copies the value's bytes into `data`, whose size in bytes `*size` gives;
// on return `*size` holds the value's size. A value larger than the buffer fails with
// kErrorMoreData. String values arrive as narrow text with their terminating zero.
long QueryRegistryValue(RegistryHandle key, const std::string& valueName, unsigned char* data,
                        std::uint32_t* size);

// RegCloseKey.
long CloseRegistryKey(RegistryHandle key);

// Owns one open registry key and closes it when it goes out of scope.
class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey() { Close(); }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // Opens `subKey` below `parent` for reading; true on success.
    bool Open(RegistryHandle parent, const std::string& subKey);
    bool Open(const RegistryKey& parent, const std::string& subKey) {
        return Open(parent.handle_, subKey);
    }
    bool QueryValue(const std::string& valueName, unsigned char* data, std::uint32_t* size) const;
    void Close();
    bool IsOpen() const { return handle_ != 0; }

private:
    RegistryHandle handle_ = 0;
};

}  // namespace quorvel::platform
