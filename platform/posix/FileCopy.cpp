// CopyFileA(source, destination, FALSE) on the host: the copy is made in a new file beside the
// destination and renamed over it only when complete, so that a failure at any point (a full
// disk included) leaves the old destination as it was and no temporary file behind.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/Files.h"
#include "platform/posix/FileData.h"
#include "platform/posix/HostPath.h"
#include "platform/posix/ReplaceTarget.h"
#include "platform/posix/TemporaryFile.h"
#include "platform/posix/UniqueFd.h"

namespace quorvel::platform {

namespace {

// The source opened for reading, if it is a regular file; `status` receives its metadata.
posix::UniqueFd OpenSource(const std::string& path, struct stat* status) {
    const posix::HostPathResult resolved = posix::ResolveHostPath(path.c_str());
    if (resolved.error != 0 || !resolved.path.exists || resolved.path.trailingSeparator) {
        return posix::UniqueFd();
    }
    posix::UniqueFd file(
        ::open(resolved.path.Full().c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!file.IsValid() || ::fstat(file.Get(), status) != 0 || !S_ISREG(status->st_mode)) {
        return posix::UniqueFd();
    }
    return file;
}

}  // namespace

bool CopyFileReplacing(const std::string& source, const std::string& destination) {
    struct stat sourceStatus {};
    const posix::UniqueFd from = OpenSource(source, &sourceStatus);
    if (!from.IsValid()) {
        return false;
    }
    posix::ReplaceTarget target;
    if (posix::FindReplaceTarget(destination.c_str(), &target) != kNoError) {
        return false;
    }
    // A file copied onto itself (under any spelling of its name) fails, as the open source
    // keeps Windows from writing it.
    if (target.exists && target.status.st_dev == sourceStatus.st_dev &&
        target.status.st_ino == sourceStatus.st_ino) {
        return false;
    }
    posix::TemporaryFile copy(target.folder, 0600);
    if (!copy.IsOpen() || posix::CopyFileData(from.Get(), copy.Fd()) != 0) {
        return false;
    }
    // The copy keeps the source's permissions and, to the nanosecond, its last-write time.
    const timespec times[2] = {{0, UTIME_OMIT}, sourceStatus.st_mtim};
    if (::fchmod(copy.Fd(), sourceStatus.st_mode & 0777) != 0 ||
        ::futimens(copy.Fd(), times) != 0) {
        return false;
    }
    // Content that replaces a file is on the disk before the rename takes the old content away.
    if (target.exists && ::fdatasync(copy.Fd()) != 0) {
        return false;
    }
    return copy.CommitAs(target.path) == 0;
}

}  // namespace quorvel::platform
