#include <windows.h>

#include <string>

#include "platform/CommandLinePaths.h"

namespace quorvel::platform {

namespace {

// A full path without the trailing backslash that only a drive's root keeps ("C:\").
std::string WithoutTrailingBackslash(std::string path) {
    if (path.size() > 3 && path.back() == '\\') {
        path.pop_back();
    }
    return path;
}

}  // namespace

std::optional<std::string> WindowsPathOfArgument(const std::string& argument) {
    const DWORD needed = GetFullPathNameA(argument.c_str(), 0, nullptr, nullptr);
    if (needed == 0) {
        return std::nullopt;
    }
    std::string full(needed, '\0');
    const DWORD length = GetFullPathNameA(argument.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) {
        return std::nullopt;
    }
    full.resize(length);
    if (GetFileAttributesA(full.c_str()) == INVALID_FILE_ATTRIBUTES) {
        return std::nullopt;
    }
    return WithoutTrailingBackslash(std::move(full));
}

std::optional<std::string> CurrentWindowsDirectory() {
    return WindowsPathOfArgument(".");
}

}  // namespace quorvel::platform
