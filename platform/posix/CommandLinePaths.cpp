#include "platform/CommandLinePaths.h"

#include <cstdlib>
#include <memory>

#include "platform/posix/DriveMapping.h"
#include "platform/posix/WinePrefix.h"

namespace quorvel::platform {

namespace {

struct FreeDeleter {
    void operator()(char* text) const { std::free(text); }
};

}  // namespace

std::optional<std::string> WindowsPathOfArgument(const std::string& argument) {
    const std::unique_ptr<char, FreeDeleter> real(::realpath(argument.c_str(), nullptr));
    if (!real) {
        return std::nullopt;
    }
    return posix::WindowsPathOnDrives(real.get(), posix::WinePrefixDirectory());
}

std::optional<std::string> CurrentWindowsDirectory() {
    return WindowsPathOfArgument(".");
}

}  // namespace quorvel::platform
