#include "platform/Registry.h"

namespace quorvel::platform {

bool RegistryKey::Open(RegistryHandle parent, const std::string& subKey) {
    Close();
    RegistryHandle opened = 0;
    if (OpenRegistryKey(parent, subKey, kKeyRead, &opened) != kErrorSuccess) {
        return false;
    }
    handle_ = opened;
    return true;
}

bool RegistryKey::QueryValue(const std::string& valueName, unsigned char* data,
                             std::uint32_t* size) const {
    return IsOpen() && QueryRegistryValue(handle_, valueName, data, size) == kErrorSuccess;
}

void RegistryKey::Close() {
    if (IsOpen()) {
        CloseRegistryKey(handle_);
        handle_ = 0;
    }
}

}  // namespace quorvel::platform
