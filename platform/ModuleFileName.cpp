#include "platform/ModuleFileName.h"

#include <algorithm>
#include <cstring>

namespace quorvel::platform {

std::uint32_t CopyModuleFileName(std::string_view path, char* buffer, std::uint32_t size) {
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    const std::size_t copied = std::min<std::size_t>(path.size(), size - 1);
    std::memcpy(buffer, path.data(), copied);
    buffer[copied] = '\0';
    return path.size() < size ? static_cast<std::uint32_t>(copied) : size;
}

}  // namespace quorvel::platform
