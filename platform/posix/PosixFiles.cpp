// The file calls that open, read, time, create and reset single entries, on the host paths that
// HostPath finds for the installer's Windows paths.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "platform/MachineHost.h"
#include "platform/posix/FileTimes.h"
#include "platform/posix/FolderCache.h"
#include "platform/posix/HostPath.h"
#include "platform/posix/ReplaceTarget.h"
#include "platform/posix/TemporaryFile.h"
#include "platform/posix/UniqueFd.h"
#include "platform/posix/Win32Errors.h"

namespace quorvel::platform {

namespace {

// The descriptor of a handle, or -1 for a value that cannot be one.
int DescriptorOf(FileHandle handle) {
    return handle >= 0 && handle <= INT_MAX ? static_cast<int>(handle) : -1;
}

}  // namespace

void CloseFileHandle(FileHandle handle) {
    const int fd = DescriptorOf(handle);
    if (fd >= 0) {
        ::close(fd);
    }
}

namespace {

// fstat of an open file, with the Win32 error of a failure.
Result<struct stat> StatusOf(const UniqueFile& file) {
    const int fd = DescriptorOf(file.Get());
    struct stat status {};
    if (fd < 0) {
        return ErrorCode::kInvalidHandle;
    }
    if (::fstat(fd, &status) != 0) {
        return posix::Win32ErrorOfErrno(errno);
    }
    return status;
}

Result<FileSizeAndTime> SizeAndTimeOf(const struct stat& status) {
    FileSizeAndTime facts{static_cast<std::uint64_t>(status.st_size), 0};
    if (!posix::FileTimeOfTimespec(status.st_mtim, &facts.lastWrite)) {
        return ErrorCode::kInvalidParameter;  // a time before 1601
    }
    return facts;
}

}  // namespace

Result<std::uint64_t> GetFileSize(const UniqueFile& file) {
    const Result<struct stat> status = StatusOf(file);
    if (!status) {
        return status.Error();
    }
    return static_cast<std::uint64_t>(status->st_size);
}

Result<FileTime> GetLastWriteTime(const UniqueFile& file) {
    const Result<FileSizeAndTime> facts = GetFileSizeAndTime(file);
    if (!facts) {
        return facts.Error();
    }
    return facts->lastWrite;
}

Result<FileSizeAndTime> GetFileSizeAndTime(const UniqueFile& file) {
    const Result<struct stat> status = StatusOf(file);
    if (!status) {
        return status.Error();
    }
    return SizeAndTimeOf(*status);
}

Result<std::size_t> ReadFromFile(const UniqueFile& file, char* buffer, std::size_t size) {
    const int fd = DescriptorOf(file.Get());
    if (fd < 0) {
        return ErrorCode::kInvalidHandle;
    }
    if (buffer == nullptr && size > 0) {
        return ErrorCode::kInvalidParameter;
    }
    constexpr std::size_t kLargestRead = 0x7FFFF000;  // what Linux reads at most in one call
    for (;;) {
        const ssize_t count = ::read(fd, buffer, size < kLargestRead ? size : kLargestRead);
        if (count >= 0) {
            return static_cast<std::size_t>(count);
        }
        if (errno != EINTR) {
            return posix::Win32ErrorOfErrno(errno);
        }
    }
}

UniqueFile MachineHost::OpenFileForRead(const std::string& path) {
    // Without blocking, so that a FIFO met here cannot hang the open; the file is checked to
    // be a regular one before it is handed out. The flag may stay: reads of a regular file
    // never heed it.
    Result<posix::UniqueFd> file =
        posix::OpenExistingEntry(path, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, Folders());
    struct stat status {};
    if (!file || ::fstat(file->Get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return UniqueFile();
    }
    return UniqueFile(file->Release());
}

Result<FileSizeAndTime> MachineHost::QueryFileSizeAndTime(const std::string& path) {
    const posix::HostPathResult resolved = posix::ResolveHostPath(path, Folders());
    if (!IsSuccess(resolved.error)) {
        return resolved.error;
    }
    if (!resolved.path.exists || resolved.path.trailingSeparator) {
        return ErrorCode::kFileNotFound;
    }
    // What the lookup saw of a file, else (a link, or a name found in its folder's listing)
    // what the name leads to.
    struct stat status = resolved.path.status;
    if (!S_ISREG(status.st_mode) && ::stat(resolved.path.Full().c_str(), &status) != 0) {
        return posix::Win32ErrorOfErrno(errno);
    }
    if (!S_ISREG(status.st_mode)) {
        return ErrorCode::kAccessDenied;  // a folder or a device: not opened as a file
    }
    return SizeAndTimeOf(status);
}

posix::FolderCache& MachineHost::Folders() {
    if (!folders_) {
        folders_ = std::make_shared<posix::FolderCache>();
    }
    return *folders_;
}

Result<UniqueFile> MachineHost::LockFileExclusively(const std::string& path) {
    const posix::HostPathResult resolved = posix::ResolveHostPath(path, Folders());
    if (!IsSuccess(resolved.error)) {
        return resolved.error;
    }
    if (resolved.path.trailingSeparator) {
        return ErrorCode::kInvalidName;
    }
    posix::UniqueFd file(::open(resolved.path.Full().c_str(),
                                O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK,
                                posix::kNewFileMode));
    struct stat status {};
    if (!file.IsValid() || ::fstat(file.Get(), &status) != 0) {
        return posix::Win32ErrorOfErrno(errno);
    }
    if (!S_ISREG(status.st_mode)) {
        return ErrorCode::kAccessDenied;
    }
    if (!resolved.path.exists) {
        Folders().Wrote(resolved.path.Full());
    }
    // A record lock on the byte at offset 0, as Wine's server sets one for LockFileEx; the two
    // kinds conflict. An open file description's lock, not the process's: like a Windows lock
    // it belongs to this handle alone, so a second handle of the same process is refused too,
    // and it ends when this handle is closed, or its process ends.
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 1;
    if (::fcntl(file.Get(), F_OFD_SETLK, &lock) != 0) {
        return errno == EACCES || errno == EAGAIN ? ErrorCode::kLockViolation
                                                  : posix::Win32ErrorOfErrno(errno);
    }
    return UniqueFile(file.Release());
}

ErrorCode MachineHost::CreateOneDirectory(const std::string& path) {
    const posix::HostPathResult resolved = posix::ResolveHostPath(path, Folders());
    if (!IsSuccess(resolved.error)) {
        return resolved.error;
    }
    if (resolved.path.exists) {
        return ErrorCode::kAlreadyExists;  // whatever it is: a file of that name too, as on Windows
    }
    // The mode of Wine's folders: all permissions less the umask.
    const std::string folder = resolved.path.Full();
    if (::mkdir(folder.c_str(), 0777) != 0) {
        return posix::Win32ErrorOfErrno(errno);
    }
    Folders().Wrote(folder);
    return ErrorCode::kSuccess;
}

Result<std::uint32_t> MachineHost::QueryFileAttributes(const std::string& path) {
    const posix::HostPathResult resolved = posix::ResolveHostPath(path, Folders());
    if (!IsSuccess(resolved.error)) {
        return resolved.error;
    }
    if (!resolved.path.exists) {
        return ErrorCode::kFileNotFound;
    }
    const std::string host = resolved.path.Full();
    struct stat status {};
    if (::stat(host.c_str(), &status) != 0) {
        return posix::Win32ErrorOfErrno(errno);
    }
    if (S_ISDIR(status.st_mode)) {
        return kFileAttributeDirectory;
    }
    if (resolved.path.trailingSeparator) {
        return ErrorCode::kInvalidName;  // a file named as a folder
    }
    return kFileAttributeArchive |
           (posix::IsWriteProtected(host, status) ? kFileAttributeReadOnly : 0u);
}

void MachineHost::ResetFileAttributes(const std::string& path) {
    // The file the last copy made writable for its owner: nothing to reset.
    if (writableCopy_ == path) {
        writableCopy_.reset();
        return;
    }
    const posix::HostPathResult resolved = posix::ResolveHostPath(path, Folders());
    if (!IsSuccess(resolved.error) || !resolved.path.exists) {
        return;
    }
    // A file its owner may write already, as the path's lookup saw it, is left alone.
    const mode_t seen = resolved.path.status.st_mode;
    if (S_ISREG(seen) && (seen & S_IWUSR) != 0) {
        return;
    }
    const std::string host = resolved.path.Full();
    struct stat status {};
    if (::stat(host.c_str(), &status) == 0 && (status.st_mode & S_IWUSR) == 0) {
        ::chmod(host.c_str(), (status.st_mode & 07777) | S_IWUSR);
    }
}

}  // namespace quorvel::platform
