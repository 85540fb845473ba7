#include "platform/posix/HostPath.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <system_error>
#include <vector>

#include "platform/Cp1252.h"
#include "platform/PathLimits.h"
#include "platform/TextRules.h"
#include "platform/posix/FolderCache.h"
#include "platform/posix/UniqueFd.h"
#include "platform/posix/Win32Errors.h"
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

// The folder that `folder` names, with every link on the way followed, or `folder` itself where
// that cannot be found (it is gone, say: the calls then fail on it as they would have).
std::string FolderBehindLinks(const std::string& folder) {
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::canonical(folder, error);
    if (error || !std::filesystem::is_directory(resolved, error)) {
        return folder;
    }
    return resolved.string();
}

// The host folder a path starts from, and the host names below it that lead to the
// starting directory (those of the current directory, for a relative path).
struct Start {
    std::string root;
    std::vector<std::string> names;
};

std::optional<Start> FindStart(const WindowsPath& path, const std::string& prefix,
                               const std::function<std::string()>& currentDirectory,
                               FolderCache* cache) {
    const bool inCurrentDirectory = path.start == PathStart::kCurrentDirectory ||
                                    (path.start == PathStart::kDriveCurrent && path.drive == 'z');
    if (inCurrentDirectory) {
        const std::string current = currentDirectory();
        if (current.empty() || current.front() != '/') {
            return std::nullopt;
        }
        return Start{"/", SplitHostPath(current)};
    }
    if (path.start == PathStart::kCurrentDriveRoot) {
        return Start{"/", {}};
    }
    // A drive's root is asked once a run: a name with a colon is no name of a folder.
    const std::string driveName = {path.drive, ':'};
    if (cache != nullptr) {
        if (const std::string* known = cache->KnownChild(prefix, driveName)) {
            return Start{*known, {}};
        }
    }
    std::optional<std::string> root = DriveRoot(prefix, path.drive);
    if (!root) {
        return std::nullopt;
    }
    if (cache != nullptr) {
        // Kept as the folder the drive's link leads to, so that no later call of the run walks
        // through the prefix and its links again.
        *root = FolderBehindLinks(*root);
        cache->RememberChild(prefix, driveName, *root);
    }
    return Start{*root, {}};
}

// The entry of `folder` that the 1252 name `name` means: asked of the file system, or of the
// run's cache where there is one.
std::optional<std::string> FindEntry(const std::string& folder, std::string_view name,
                                     FolderCache* cache) {
    if (cache == nullptr) {
        return FindEntryIgnoringCase(folder, name);
    }
    struct stat status {};
    if (::stat(folder.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return cache->FindEntry(folder, status, name);
}

// The host folder that the names lead to from `folder`, every one of them existing; with a
// cache, `usedKnown` (where given) takes the steps it remembers without asking the file
// system, and tells whether it took any.
std::optional<std::string> WalkFolders(std::string folder, const std::vector<std::string>& names,
                                       FolderCache* cache, bool* usedKnown) {
    // The whole way, where the run took it before, as one step.
    const bool wayMayBeKnown = cache != nullptr && usedKnown != nullptr && names.size() > 1;
    std::string way;
    if (wayMayBeKnown) {
        for (const std::string& name : names) {
            way += way.empty() ? "" : "\\";
            way += name;
        }
        if (const std::string* known = cache->KnownWay(folder, way)) {
            *usedKnown = true;
            return *known;
        }
    }
    const std::string start = wayMayBeKnown ? folder : std::string();
    for (const std::string& name : names) {
        if (cache != nullptr && usedKnown != nullptr) {
            if (const std::string* known = cache->KnownChild(folder, name)) {
                folder = *known;
                *usedKnown = true;
                continue;
            }
        }
        const std::optional<std::string> found = FindEntry(folder, name, cache);
        if (!found) {
            return std::nullopt;
        }
        std::string child = JoinHostPath(folder, *found);
        if (cache != nullptr) {
            cache->RememberChild(folder, name, child);
        }
        folder = std::move(child);
    }
    if (wayMayBeKnown) {
        cache->RememberWay(start, way, folder);
    }
    return folder;
}

// The name as given, asked of the file system first, as Wine does: where `opened` is given it
// is opened with `openFlags` (one call, where a look and an open would be two), else looked at.
// True when it is there; `host` then holds it. `onlyOpenMissed` tells that an open said it is
// not there, which a link that leads nowhere says too: the folder's names then tell them apart.
bool FindAsGiven(const std::string& folder, std::string_view name, int openFlags, UniqueFd* opened,
                 HostPath& host, bool* onlyOpenMissed) {
    std::string exact = Cp1252ToUtf8(name);
    const std::string exactPath = JoinHostPath(folder, exact);
    struct stat entry {};
    if (opened != nullptr && !host.trailingSeparator) {
        UniqueFd file(::open(exactPath.c_str(), openFlags));
        if (file.IsValid()) {
            *opened = std::move(file);
        } else if (errno == ENOENT) {
            *onlyOpenMissed = true;
            return false;
        }
    }
    // Not opened for another reason: whether it is there is asked as without the open.
    const bool isOpen = opened != nullptr && opened->IsValid();
    if (!isOpen && ::lstat(exactPath.c_str(), &entry) != 0) {
        return false;
    }
    host.folder = folder;
    host.exists = true;
    host.name = std::move(exact);
    host.status = entry;
    return true;
}

// The folder's own stat. With `keepOpen`, through the folder opened (O_PATH) into `opened`, so
// that the rest of the call need not walk its path again; where it cannot be opened so, as
// without. True when the folder is there.
bool StatFolder(const std::string& folder, bool keepOpen, UniqueFd* opened, struct stat* status) {
    if (keepOpen) {
        UniqueFd fd(::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
        if (fd.IsValid() && ::fstat(fd.Get(), status) == 0) {
            *opened = std::move(fd);
            return true;
        }
    }
    return ::stat(folder.c_str(), status) == 0;
}

// With `opened`, an existing entry named as given is opened at once with `openFlags` and
// handed out there, instead of being looked at first: one call, where two would be.
// With `folderOpened`, the folder of a last name that is not there as given is opened
// (O_PATH) and handed out there, and the lookups that follow go through it.
HostPathResult Resolve(std::string_view windowsPath, const std::string& prefix,
                       const std::function<std::string()>& currentDirectory, FolderCache* cache,
                       int openFlags = 0, UniqueFd* opened = nullptr,
                       UniqueFd* folderOpened = nullptr) {
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
    std::optional<Start> start = FindStart(parsed.path, prefix, currentDirectory, cache);
    if (!start) {
        result.error = ErrorCode::kPathNotFound;
        return result;
    }
    for (std::size_t step = 0; step < parsed.path.parentSteps && !start->names.empty(); ++step) {
        start->names.pop_back();
    }
    std::string startFolder = start->root;
    for (const std::string& name : start->names) {
        startFolder = JoinHostPath(startFolder, name);
    }
    HostPath& host = result.path;
    host.trailingSeparator = parsed.path.trailingSeparator;
    std::vector<std::string> names = parsed.path.names;
    if (names.empty()) {
        struct stat status {};
        if (::stat(startFolder.c_str(), &status) != 0) {
            result.error = ErrorCode::kPathNotFound;
            return result;
        }
        host.folder = startFolder;
        host.exists = true;
        return result;
    }
    const std::string last = std::move(names.back());
    names.pop_back();
    bool usedKnown = false;
    std::optional<std::string> folder = WalkFolders(startFolder, names, cache, &usedKnown);
    // Set where only an open said that the name as given is not there.
    bool onlyOpenMissed = false;
    if (cache != nullptr && folder &&
        FindAsGiven(*folder, last, openFlags, opened, host, &onlyOpenMissed)) {
        return result;
    }
    struct stat status {};
    UniqueFd folderFd;
    const bool folderThere = cache != nullptr && folder &&
                             StatFolder(*folder, folderOpened != nullptr, &folderFd, &status);
    if (usedKnown && !folderThere) {
        // A folder the cache led to is gone: every step is asked again.
        cache->ForgetChildren();
        folder = WalkFolders(startFolder, names, cache, nullptr);
    }
    if (!folder) {
        result.error = ErrorCode::kPathNotFound;
        return result;
    }
    host.folder = *folder;
    const std::optional<std::string> entry = cache != nullptr && folderThere
                                                 ? cache->FindOtherSpelling(*folder, status, last)
                                                 : FindEntry(*folder, last, cache);
    const std::string exact = Cp1252ToUtf8(last);
    if (onlyOpenMissed && entry && *entry != exact) {
        // The folder's names keep one spelling of each name: whether a link that leads nowhere
        // has the name as given is asked.
        struct stat link {};
        const bool linkThere =
            folderFd.IsValid()
                ? ::fstatat(folderFd.Get(), exact.c_str(), &link, AT_SYMLINK_NOFOLLOW) == 0
                : ::lstat(JoinHostPath(*folder, exact).c_str(), &link) == 0;
        if (linkThere) {
            if (folderOpened != nullptr) {
                *folderOpened = std::move(folderFd);
            }
            host.exists = true;
            host.name = exact;
            host.status = link;
            return result;
        }
    }
    host.exists = entry.has_value();
    host.name = entry ? *entry : exact;
    if (folderOpened != nullptr) {
        *folderOpened = std::move(folderFd);
    }
    return result;
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
    return Resolve(
        windowsPath, context.prefix, [&context] { return context.currentDirectory; }, nullptr);
}

HostPathResult ResolveHostPath(std::string_view windowsPath, const PathContext& context,
                               FolderCache& cache) {
    return Resolve(
        windowsPath, context.prefix, [&context] { return context.currentDirectory; }, &cache);
}

HostPathResult ResolveHostPath(std::string_view windowsPath) {
    return Resolve(windowsPath, WinePrefixDirectory(), CurrentDirectory, nullptr);
}

HostPathResult ResolveHostPath(std::string_view windowsPath, FolderCache& cache) {
    return Resolve(windowsPath, WinePrefixDirectory(), CurrentDirectory, &cache);
}

HostPathResult ResolveHostPath(std::string_view windowsPath, FolderCache& cache, UniqueFd* folder) {
    return Resolve(windowsPath, WinePrefixDirectory(), CurrentDirectory, &cache, 0, nullptr,
                   folder);
}

Result<UniqueFd> OpenExistingEntry(std::string_view windowsPath, int flags, FolderCache& cache) {
    UniqueFd file;
    const HostPathResult resolved =
        Resolve(windowsPath, WinePrefixDirectory(), CurrentDirectory, &cache, flags, &file);
    if (!IsSuccess(resolved.error)) {
        return resolved.error;
    }
    if (!resolved.path.exists || resolved.path.trailingSeparator) {
        return ErrorCode::kFileNotFound;
    }
    if (!file.IsValid()) {
        file = UniqueFd(::open(resolved.path.Full().c_str(), flags));
        if (!file.IsValid()) {
            return Win32ErrorOfErrno(errno);
        }
    }
    return file;
}

}  // namespace quorvel::platform::posix
