// ReplaceFileContent on the host: the new content goes to a new file beside the old one, is
// flushed to the disk and renamed over the old file, and the folder is flushed so that the
// rename lasts; until the rename the old file is untouched, on every failure it stays so.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/MachineHost.h"
#include "platform/posix/FileData.h"
#include "platform/posix/ReplaceTarget.h"
#include "platform/posix/TemporaryFile.h"
#include "platform/posix/UniqueFd.h"
#include "platform/posix/Win32Errors.h"

namespace quorvel::platform {

namespace {

constexpr mode_t kNewFileMode = 0644;  // less the umask, as the kernel applies it

// The old file's mode and, where this process may set it, its owner.
int KeepOldMetadata(int fd, const struct stat& old) {
    if (::fchmod(fd, old.st_mode & 07777) != 0) {
        return errno;
    }
    if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
        // Only root may give a file away; for everyone else the new file is their own.
        if (::fchown(fd, old.st_uid, old.st_gid) == 0) {
            ::fchmod(fd, old.st_mode & 07777);  // chown clears set-id bits
        }
    }
    return 0;
}

}  // namespace

ErrorCode MachineHost::ReplaceFileContent(const std::string& path, std::string_view bytes) {
    posix::ReplaceTarget target;
    if (const ErrorCode error = posix::FindReplaceTarget(path.c_str(), &target);
        !IsSuccess(error)) {
        return error;
    }
    posix::TemporaryFile replacement(target.folder, target.exists ? 0600 : kNewFileMode);
    if (!replacement.IsOpen()) {
        return posix::Win32ErrorOfErrno(replacement.Error());
    }
    int error = posix::WriteAll(replacement.Fd(), bytes.data(), bytes.size());
    if (error == 0 && target.exists) {
        error = KeepOldMetadata(replacement.Fd(), target.status);
    }
    if (error == 0 && ::fsync(replacement.Fd()) != 0) {
        error = errno;
    }
    if (error == 0) {
        error = replacement.CommitAs(target.path);
    }
    if (error != 0) {
        return posix::Win32ErrorOfErrno(error);
    }
    // The new content is in place; a folder that cannot be flushed changes nothing about that.
    const posix::UniqueFd folder(::open(target.folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.IsValid()) {
        ::fsync(folder.Get());
    }
    return ErrorCode::kSuccess;
}

}  // namespace quorvel::platform
