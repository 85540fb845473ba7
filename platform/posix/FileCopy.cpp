// CopyFileA(source, destination, FALSE) on the host: the copy is made in a new file beside the
// destination and renamed over it only when complete, so that a failure at any point (a full
// disk included) leaves the old destination as it was and no temporary file behind.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <utility>

#include "platform/MachineHost.h"
#include "platform/posix/FileData.h"
#include "platform/posix/FileTimes.h"
#include "platform/posix/FolderCache.h"
#include "platform/posix/HostPath.h"
#include "platform/posix/KeptMetadata.h"
#include "platform/posix/ReplaceTarget.h"
#include "platform/posix/SameBytes.h"
#include "platform/posix/TemporaryFile.h"
#include "platform/posix/UniqueFd.h"
#include "platform/posix/Win32Errors.h"

namespace quorvel::platform {

namespace {

// The source opened for reading, if it is a regular file; `status` receives its metadata.
Result<posix::UniqueFd> OpenSource(const std::string& path, posix::FolderCache& folders,
                                   struct stat* status) {
    Result<posix::UniqueFd> file =
        posix::OpenExistingEntry(path, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, folders);
    if (!file) {
        return file.Error();
    }
    if (::fstat(file->Get(), status) != 0) {
        return posix::Win32ErrorOfErrno(errno);
    }
    if (!S_ISREG(status->st_mode)) {
        return ErrorCode::kAccessDenied;
    }
    return file;
}

// A source that Windows would show read-only (no write permission for its owner) gives a
// read-only new file, as CopyFileA copies the read-only attribute; 0 or an errno value.
int KeepReadOnly(int fd, const struct stat& source) {
    struct stat created {};
    if ((source.st_mode & S_IWUSR) != 0) {
        return 0;
    }
    if (::fstat(fd, &created) != 0 || ::fchmod(fd, created.st_mode & 07555) != 0) {
        return errno;
    }
    return 0;
}

SeenFile SeenOf(const struct stat& status) {
    constexpr std::int64_t kNanoseconds = 1000000000;
    return {
        static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino),
        static_cast<std::int64_t>(status.st_size),
        static_cast<std::int64_t>(status.st_mtim.tv_sec) * kNanoseconds + status.st_mtim.tv_nsec,
        static_cast<std::int64_t>(status.st_ctim.tv_sec) * kNanoseconds + status.st_ctim.tv_nsec};
}

// True when CompareFileBytes found `destination` and `source` equal just before and both are
// still the files it read, unchanged since.
bool SeenEqualJustBefore(const std::optional<SameBytesSeen>& seen, const std::string& source,
                         const struct stat& sourceStatus, const std::string& destination,
                         const struct stat& destinationStatus) {
    return seen && seen->first == destination && seen->second == source &&
           seen->firstFile == SeenOf(destinationStatus) && seen->secondFile == SeenOf(sourceStatus);
}

// True when the existing destination holds the source's bytes and last-write time already:
// the copy would end in the same bytes, the same time and, as a replaced file keeps its own,
// the same mode, owner and attributes, so the file is left as it is. Whoever else links to
// it keeps the link, which a copy would have ended.
bool HoldsTheCopyAlready(int source, const struct stat& sourceStatus,
                         const posix::ReplaceTarget& target, bool seenEqual) {
    const struct stat& old = target.status;
    if (old.st_size != sourceStatus.st_size || old.st_mtim.tv_sec != sourceStatus.st_mtim.tv_sec ||
        old.st_mtim.tv_nsec != sourceStatus.st_mtim.tv_nsec) {
        return false;
    }
    if (seenEqual) {
        return true;
    }
    const posix::UniqueFd destination(
        ::open(target.path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | O_NOFOLLOW));
    struct stat opened {};
    return destination.IsValid() && ::fstat(destination.Get(), &opened) == 0 &&
           opened.st_dev == old.st_dev && opened.st_ino == old.st_ino &&
           posix::HaveSameBytes(source, destination.Get(), sourceStatus.st_size);
}

// Files up to this size are read into memory and written from there, so that what the copy
// wrote is known without reading the new file again; larger ones are copied by the kernel.
constexpr std::size_t kLargestCopyThroughMemory = 256 * 1024;

// A regular file of that size whose blocks cover it: no hole to keep.
bool CopiesThroughMemory(const struct stat& source) {
    return S_ISREG(source.st_mode) && source.st_size > 0 &&
           static_cast<std::size_t>(source.st_size) <= kLargestCopyThroughMemory &&
           source.st_blocks * 512 >= source.st_size;
}

}  // namespace

std::optional<bool> MachineHost::CompareFileBytes(const std::string& first,
                                                  const std::string& second) {
    sameBytes_.reset();
    struct stat firstStatus {};
    struct stat secondStatus {};
    const Result<posix::UniqueFd> a = OpenSource(first, Folders(), &firstStatus);
    if (!a) {
        return false;
    }
    const Result<posix::UniqueFd> b = OpenSource(second, Folders(), &secondStatus);
    if (!b || firstStatus.st_size != secondStatus.st_size ||
        !posix::HaveSameBytes(a->Get(), b->Get(), firstStatus.st_size)) {
        return false;
    }
    sameBytes_ = SameBytesSeen{first, second, SeenOf(firstStatus), SeenOf(secondStatus)};
    return true;
}

ErrorCode MachineHost::CopyFileReplacing(const std::string& source,
                                         const std::string& destination) {
    writableCopy_.reset();
    lastCopyKept_ = false;
    const std::optional<SameBytesSeen> comparedJustBefore = std::exchange(sameBytes_, std::nullopt);
    struct stat sourceStatus {};
    const Result<posix::UniqueFd> from = OpenSource(source, Folders(), &sourceStatus);
    if (!from) {
        return from.Error();
    }
    posix::ReplaceTarget target;
    if (const ErrorCode error = posix::FindReplaceTarget(destination, Folders(), &target);
        !IsSuccess(error)) {
        return error;
    }
    ClearLeftOversOnce(target.folder);
    // A file copied onto itself (under any spelling of its name) fails, as the open source
    // keeps Windows from writing it.
    if (target.exists && target.status.st_dev == sourceStatus.st_dev &&
        target.status.st_ino == sourceStatus.st_ino) {
        return ErrorCode::kSharingViolation;
    }
    // A target that stays, or whose mode the copy takes, is one its owner may write: a
    // write-protected one was refused above.
    if (target.exists &&
        HoldsTheCopyAlready(from->Get(), sourceStatus, target,
                            SeenEqualJustBefore(comparedJustBefore, source, sourceStatus,
                                                destination, target.status))) {
        writableCopy_ = destination;
        return ErrorCode::kSuccess;
    }
    // A replaced file's own mode is given to the copy below.
    posix::TemporaryFile copy = NewContentFor(target);
    if (!copy.IsOpen()) {
        return posix::Win32ErrorOfErrno(copy.Error());
    }
    const bool throughMemory = CopiesThroughMemory(sourceStatus);
    if (throughMemory && !copyBuffer_) {
        copyBuffer_ = std::make_unique_for_overwrite<char[]>(kLargestCopyThroughMemory);
    }
    std::size_t bytesCopied = 0;
    const int copied =
        throughMemory ? posix::CopyFileDataThroughMemory(
                            from->Get(), copyBuffer_.get(),
                            static_cast<std::size_t>(sourceStatus.st_size), copy.Fd(), &bytesCopied)
                      : posix::CopyFileData(from->Get(), sourceStatus, copy.Fd());
    if (copied != 0) {
        return posix::Win32ErrorOfErrno(copied);
    }
    const int kept = target.exists
                         ? posix::KeepReplacedFileMetadata(copy.Fd(), target.path, target.status)
                         : KeepReadOnly(copy.Fd(), sourceStatus);
    if (kept != 0) {
        return posix::Win32ErrorOfErrno(kept);
    }
    // The copy keeps, to the nanosecond, the source's last-write time.
    const timespec times[2] = {{0, UTIME_OMIT}, sourceStatus.st_mtim};
    if (::futimens(copy.Fd(), times) != 0) {
        return posix::Win32ErrorOfErrno(errno);
    }
    // Content that replaces a file is on the disk before the rename takes the old content away.
    if (target.exists && ::fdatasync(copy.Fd()) != 0) {
        return posix::Win32ErrorOfErrno(errno);
    }
    // The new file as the file system keeps it: the mode the umask left a new one, and the
    // size and time of a copy whose bytes are known.
    struct stat made {};
    const bool seen = (throughMemory || !target.exists) && ::fstat(copy.Fd(), &made) == 0;
    const bool writable = target.exists || (seen && (made.st_mode & S_IWUSR) != 0);
    if (const int error = copy.CommitAs(target.path); error != 0) {
        return posix::Win32ErrorOfErrno(error);
    }
    Folders().Wrote(target.path, target.folderFd.Get());
    if (writable) {
        writableCopy_ = destination;
    }
    if (throughMemory && seen &&
        posix::FileTimeOfTimespec(made.st_mtim, &lastCopy_.facts.lastWrite)) {
        lastCopy_.destination = destination;
        lastCopy_.facts.size = static_cast<std::uint64_t>(made.st_size);
        lastCopy_.bytes = std::string_view(copyBuffer_.get(), bytesCopied);
        lastCopyKept_ = lastCopy_.facts.size == bytesCopied;
    }
    return ErrorCode::kSuccess;
}

}  // namespace quorvel::platform
