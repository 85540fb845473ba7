#include "platform/posix/ModulePath.h"

#include <unistd.h>

#include <algorithm>
#include <vector>

#include "platform/Cp1252.h"
#include "platform/MachineHost.h"
#include "platform/ModuleFileName.h"
#include "platform/posix/DriveMapping.h"
#include "platform/posix/WinePrefix.h"

namespace quorvel::platform::posix {

std::optional<std::string> ExecutableHostPath() {
    std::vector<char> buffer(4096);
    for (;;) {
        const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) {
            return std::nullopt;
        }
        if (static_cast<std::size_t>(length) < buffer.size()) {
            return std::string(buffer.data(), static_cast<std::size_t>(length));
        }
        if (buffer.size() >= (1u << 20)) {
            return std::nullopt;
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::optional<std::string> WindowsPathOfHostPath(std::string_view hostPath) {
    if (hostPath.empty() || hostPath.front() != '/' ||
        hostPath.find('\\') != std::string_view::npos) {
        return std::nullopt;
    }
    std::optional<std::string> narrow = Utf8ToCp1252(hostPath);
    if (!narrow) {
        return std::nullopt;
    }
    std::replace(narrow->begin(), narrow->end(), '/', '\\');
    return "Z:" + *narrow;
}

}  // namespace quorvel::platform::posix

namespace quorvel::platform {

std::uint32_t ExecutablePath(char* buffer, std::uint32_t size) {
    const std::optional<std::string> host = posix::ExecutableHostPath();
    const std::optional<std::string> windows =
        host ? posix::WindowsPathOnDrives(*host, posix::WinePrefixDirectory()) : std::nullopt;
    if (!windows) {
        if (buffer != nullptr && size > 0) {
            buffer[0] = '\0';
        }
        return 0;
    }
    return CopyModuleFileName(*windows, buffer, size);
}

}  // namespace quorvel::platform
