#include "platform/posix/HostPath.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/Cp1252.h"
#include "platform/PathLimits.h"
#include "platform/TextRules.h"
#include "platform/posix/UniqueFd.h"
#include "platform/posix/WindowsPath.h"
#include "platform/posix/WinePrefix.h"

namespace quorvel::platform::posix {

namespace {

std::vector<std::string> SplitHostPath(std::string_view path) {
    std::vector<std::string> names;
    for (const std::string_view name : SplitPath(path, [](char c) { return c == '/'; })) {
        if (!name.empty()) {
            names.emplace_back(name);
        }
    }
    return names;
}

std::string CurrentDirectory() {
    std::vector<char> buffer(4096);
    for (;;) {
        if (::getcwd(buffer.data(), buffer.size()) != nullptr) {
            return buffer.data();
        }
        if (errno != ERANGE || buffer.size() > (1u << 20)) {
            return "";
        }
        buffer.resize(buffer.size() * 2);
    }
}

// The host folder a path starts from, and the host names below it that lead to the
// starting directory (those of the current directory, for a relative path).
struct Start {
    std::string root;
    std::vector<std::string> names;
};

std::optional<Start> FindStart(const WindowsPath& path, const PathContext& context) {
    const bool inCurrentDirectory = path.start == PathStart::kCurrentDirectory ||
                                    (path.start == PathStart::kDriveCurrent && path.drive == 'z');
    if (inCurrentDirectory) {
        if (context.currentDirectory.empty() || context.currentDirectory.front() != '/') {
            return std::nullopt;
        }
        return Start{"/", SplitHostPath(context.currentDirectory)};
    }
    if (path.start == PathStart::kCurrentDriveRoot) {
        return Start{"/", {}};
    }
    std::optional<std::string> root = DriveRoot(context.prefix, path.drive);
    if (!root) {
        return std::nullopt;
    }
    return Start{*root, {}};
}

}  // namespace

std::string HostPath::Full() const {
    return name.empty() ? folder : JoinHostPath(folder, name);
}

std::string JoinHostPath(const std::string& folder, std::string_view name) {
    std::string joined = folder;
    if (joined.empty() || joined.back() != '/') {
        joined += '/';
    }
    joined += name;
    return joined;
}

PathContext CurrentPathContext() {
    return {WinePrefixDirectory(), CurrentDirectory()};
}

std::optional<std::string> DriveRoot(const std::string& prefix, char drive) {
    if (drive < 'a' || drive > 'z') {
        return std::nullopt;
    }
    const std::string link = prefix + "/dosdevices/" + drive + ":";
    struct stat status {};
    if (::lstat(link.c_str(), &status) == 0) {
        return link;
    }
    if (drive == 'z') {
        return "/";
    }
    if (drive == 'c') {
        return prefix + "/drive_c";
    }
    return std::nullopt;
}

std::optional<std::string> FindEntryIgnoringCase(const std::string& folder, std::string_view name) {
    const std::string exact = Cp1252ToUtf8(name);
    struct stat status {};
    if (::lstat(JoinHostPath(folder, exact).c_str(), &status) == 0) {
        return exact;
    }
    const UniqueDir dir(::opendir(folder.c_str()));
    if (!dir.IsValid()) {
        return std::nullopt;
    }
    while (const dirent* entry = ::readdir(dir.Get())) {
        const std::string_view entryName = entry->d_name;
        if (entryName == "." || entryName == "..") {
            continue;
        }
        // A name that 1252 cannot hold cannot be what a 1252 name means.
        if (Utf8MatchesCp1252IgnoringCase(entryName, name)) {
            return std::string(entryName);
        }
    }
    return std::nullopt;
}

HostPathResult ResolveHostPath(std::string_view windowsPath, const PathContext& context) {
    HostPathResult result;
    if (IsTooLongForNarrowCalls(windowsPath)) {
        result.error = ErrorCode::kFilenameExcedRange;
        return result;
    }
    const WindowsPathResult parsed = ParseWindowsPath(windowsPath);
    if (!IsSuccess(parsed.error)) {
        result.error = parsed.error;
        return result;
    }
    std::optional<Start> start = FindStart(parsed.path, context);
    if (!start) {
        result.error = ErrorCode::kPathNotFound;
        return result;
    }
    for (std::size_t step = 0; step < parsed.path.parentSteps && !start->names.empty(); ++step) {
        start->names.pop_back();
    }
    std::string folder = start->root;
    for (const std::string& name : start->names) {
        folder = JoinHostPath(folder, name);
    }
    HostPath& host = result.path;
    host.trailingSeparator = parsed.path.trailingSeparator;
    const std::vector<std::string>& names = parsed.path.names;
    if (names.empty()) {
        struct stat status {};
        if (::stat(folder.c_str(), &status) != 0) {
            result.error = ErrorCode::kPathNotFound;
            return result;
        }
        host.folder = folder;
        host.exists = true;
        return result;
    }
    for (std::size_t i = 0; i + 1 < names.size(); ++i) {
        const std::optional<std::string> found = FindEntryIgnoringCase(folder, names[i]);
        if (!found) {
            result.error = ErrorCode::kPathNotFound;
            return result;
        }
        folder = JoinHostPath(folder, *found);
    }
    host.folder = folder;
    const std::optional<std::string> last = FindEntryIgnoringCase(folder, names.back());
    host.exists = last.has_value();
    host.name = last ? *last : Cp1252ToUtf8(names.back());
    return result;
}

HostPathResult ResolveHostPath(std::string_view windowsPath) {
    return ResolveHostPath(windowsPath, CurrentPathContext());
}

}  // namespace quorvel::platform::posix
