#include "platform/Registry.h"

namespace quorvel::platform {

Result<RegistryKey> OpenRegistryKeyForReading(RegistryHandle parent, const std::string& subKey) {
    RegistryHandle opened = 0;
    if (const ErrorCode error = OpenRegistryKey(parent, subKey, kKeyRead, &opened);
        !IsSuccess(error)) {
        return error;
    }
    return RegistryKey(opened);
}

}  // namespace quorvel::platform
