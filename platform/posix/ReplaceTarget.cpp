#include "platform/posix/ReplaceTarget.h"

#include <fcntl.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <memory>
#include <utility>

#include "platform/posix/HostPath.h"
#include "platform/posix/Win32Errors.h"

namespace quorvel::platform::posix {

namespace {

struct FreeDeleter {
    void operator()(char* text) const { std::free(text); }
};

}  // namespace

bool IsWriteProtected(const std::string& path, const struct stat& status) {
    return (status.st_mode & S_IWUSR) == 0 ||
           ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0;
}

ErrorCode FindReplaceTarget(std::string_view windowsPath, FolderCache& folders,
                            ReplaceTarget* target) {
    UniqueFd folderFd;
    const HostPathResult resolved = ResolveHostPath(windowsPath, folders, &folderFd);
    if (!IsSuccess(resolved.error)) {
        return resolved.error;
    }
    const HostPath& host = resolved.path;
    if (host.trailingSeparator) {
        return ErrorCode::kInvalidName;
    }
    *target = ReplaceTarget{host.folder, host.Full(), false, {}, std::move(folderFd)};
    if (!host.exists) {
        return ErrorCode::kSuccess;
    }
    // What the lookup saw where it found the name as given, else the entry's own.
    struct stat status = host.status;
    if (status.st_mode == 0 && ::lstat(target->path.c_str(), &status) != 0) {
        return Win32ErrorOfErrno(errno);
    }
    if (S_ISLNK(status.st_mode)) {
        const std::unique_ptr<char, FreeDeleter> real(::realpath(target->path.c_str(), nullptr));
        if (!real) {
            return ErrorCode::kSuccess;  // a dangling link: the new file takes its place
        }
        target->path = real.get();
        target->folderFd.Reset();  // the link's target may lie in another folder
        // realpath gives an absolute path: its folder is all before the last slash, or "/".
        const std::size_t slash = target->path.rfind('/');
        target->folder = slash == 0 || slash == std::string::npos
                             ? std::string("/")
                             : std::string(target->path.data(), slash);
        if (::stat(target->path.c_str(), &status) != 0) {
            return Win32ErrorOfErrno(errno);
        }
    }
    if (!S_ISREG(status.st_mode) || IsWriteProtected(target->path, status)) {
        return ErrorCode::kAccessDenied;
    }
    target->exists = true;
    target->status = status;
    return ErrorCode::kSuccess;
}

}  // namespace quorvel::platform::posix
