// The registry calls on Windows: the Win32 functions themselves.
#include <windows.h>

#include "platform/Registry.h"

namespace quorvel::platform {

namespace {
// The predefined root is a pseudo-handle whose value depends on the pointer size.
HKEY ToHkey(RegistryHandle handle) {
    return handle == kClassesRoot ? HKEY_CLASSES_ROOT : reinterpret_cast<HKEY>(handle);
}
}  // namespace

ErrorCode OpenRegistryKey(RegistryHandle parent, const std::string& subKey, std::uint32_t access,
                          RegistryHandle* result) {
    HKEY opened = nullptr;
    const LONG status = RegOpenKeyExA(ToHkey(parent), subKey.c_str(), 0, access, &opened);
    if (status == ERROR_SUCCESS) {
        *result = reinterpret_cast<RegistryHandle>(opened);
    }
    return ErrorCodeOf(static_cast<std::uint32_t>(status));
}

ErrorCode QueryRegistryValue(RegistryHandle key, const std::string& valueName, unsigned char* data,
                             std::uint32_t* size) {
    DWORD length = *size;
    const LONG status =
        RegQueryValueExA(ToHkey(key), valueName.c_str(), nullptr, nullptr, data, &length);
    *size = length;
    return ErrorCodeOf(static_cast<std::uint32_t>(status));
}

ErrorCode CloseRegistryKey(RegistryHandle key) {
    return key == kClassesRoot ? ErrorCode::kSuccess
                               : ErrorCodeOf(static_cast<std::uint32_t>(RegCloseKey(ToHkey(key))));
}

}  // namespace quorvel::platform
