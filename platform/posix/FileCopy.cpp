// CopyFileA(source, destination, FALSE) on the host: the copy is made in a new file beside the
// destination and renamed over it only when complete, so that a failure at any point (a full
// disk included) leaves the old destination as it was and no temporary file behind.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/MachineHost.h"
#include "platform/posix/FileData.h"
#include "platform/posix/HostPath.h"
#include "platform/posix/ReplaceTarget.h"
#include "platform/posix/TemporaryFile.h"
#include "platform/posix/UniqueFd.h"
#include "platform/posix/Win32Errors.h"

namespace quorvel::platform {

namespace {

// The source opened for reading, if it is a regular file; `status` receives its metadata.
Result<posix::UniqueFd> OpenSource(const std::string& path, struct stat* status) {
    const posix::HostPathResult resolved = posix::ResolveHostPath(path.c_str());
    if (!IsSuccess(resolved.error)) {
        return resolved.error;
    }
    if (!resolved.path.exists || resolved.path.trailingSeparator) {
        return ErrorCode::kFileNotFound;
    }
    posix::UniqueFd file(
        ::open(resolved.path.Full().c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!file.IsValid() || ::fstat(file.Get(), status) != 0) {
        return posix::Win32ErrorOfErrno(errno);
    }
    if (!S_ISREG(status->st_mode)) {
        return ErrorCode::kAccessDenied;
    }
    return file;
}

}  // namespace

ErrorCode MachineHost::CopyFileReplacing(const std::string& source,
                                         const std::string& destination) {
    struct stat sourceStatus {};
    const Result<posix::UniqueFd> from = OpenSource(source, &sourceStatus);
    if (!from) {
        return from.Error();
    }
    posix::ReplaceTarget target;
    if (const ErrorCode error = posix::FindReplaceTarget(destination.c_str(), &target);
        !IsSuccess(error)) {
        return error;
    }
    // A file copied onto itself (under any spelling of its name) fails, as the open source
    // keeps Windows from writing it.
    if (target.exists && target.status.st_dev == sourceStatus.st_dev &&
        target.status.st_ino == sourceStatus.st_ino) {
        return ErrorCode::kSharingViolation;
    }
    posix::TemporaryFile copy(target.folder, 0600);
    if (!copy.IsOpen()) {
        return posix::Win32ErrorOfErrno(copy.Error());
    }
    if (const int error = posix::CopyFileData(from->Get(), copy.Fd()); error != 0) {
        return posix::Win32ErrorOfErrno(error);
    }
    // The copy keeps the source's permissions and, to the nanosecond, its last-write time.
    const timespec times[2] = {{0, UTIME_OMIT}, sourceStatus.st_mtim};
    if (::fchmod(copy.Fd(), sourceStatus.st_mode & 0777) != 0 ||
        ::futimens(copy.Fd(), times) != 0) {
        return posix::Win32ErrorOfErrno(errno);
    }
    // Content that replaces a file is on the disk before the rename takes the old content away.
    if (target.exists && ::fdatasync(copy.Fd()) != 0) {
        return posix::Win32ErrorOfErrno(errno);
    }
    return posix::Win32ErrorOfErrno(copy.CommitAs(target.path));
}

}  // namespace quorvel::platform
