#include "platform/posix/FileData.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

namespace quorvel::platform::posix {

namespace {

constexpr std::size_t kChunkSize = 1 << 20;         // read and write: 1 MiB at a time
constexpr std::size_t kKernelChunkSize = 1u << 30;  // copy_file_range: 1 GiB per call

// Errors of copy_file_range that mean "not between these files", not a failed copy.
bool KernelCopyUnavailable(int error) {
    return error == EXDEV || error == ENOSYS || error == EINVAL || error == EOPNOTSUPP ||
           error == EBADF || error == EPERM || error == ETXTBSY;
}

// True when the file has a hole before its end, as SEEK_HOLE finds it (a file system that
// cannot tell reports the end of the file). Leaves the file offset at 0.
bool HasHoles(int from, off_t size) {
    const off_t hole = ::lseek(from, 0, SEEK_HOLE);
    ::lseek(from, 0, SEEK_SET);
    return hole >= 0 && hole < size;
}

// Copies the `length` bytes at `offset` of `from` to the same offset of `to`.
int CopyRange(int from, int to, off_t offset, off_t length) {
    off_t in = offset;
    off_t out = offset;
    while (length > 0) {
        const ssize_t count =
            ::copy_file_range(from, &in, to, &out, static_cast<std::size_t>(length), 0);
        if (count > 0) {
            length -= count;
            continue;
        }
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0 && !KernelCopyUnavailable(errno)) {
            return errno;
        }
        break;  // copied by reading and writing below
    }
    std::vector<char> chunk(kChunkSize);
    while (length > 0) {
        const auto want =
            static_cast<std::size_t>(std::min(length, static_cast<off_t>(kChunkSize)));
        const ssize_t count = ::pread(from, chunk.data(), want, in);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return count == 0 ? EIO : errno;  // the file shrank while it was copied
        }
        for (ssize_t done = 0; done < count;) {
            const ssize_t written = ::pwrite(to, chunk.data() + done,
                                             static_cast<std::size_t>(count - done), out + done);
            if (written < 0 && errno == EINTR) {
                continue;
            }
            if (written <= 0) {
                return written == 0 ? EIO : errno;
            }
            done += written;
        }
        in += count;
        out += count;
        length -= count;
    }
    return 0;
}

// A file with holes, as cp copies it: only its data is written, at the same offsets, and the
// holes stay holes; the size is set at the end, for a hole there.
int CopyDataSegments(int from, int to, off_t size) {
    for (off_t position = 0; position < size;) {
        const off_t data = ::lseek(from, position, SEEK_DATA);
        if (data < 0) {
            if (errno == ENXIO) {
                break;  // a hole to the end
            }
            return errno;
        }
        off_t hole = ::lseek(from, data, SEEK_HOLE);
        if (hole < 0) {
            return errno;
        }
        hole = std::min(hole, size);
        if (const int error = CopyRange(from, to, data, hole - data); error != 0) {
            return error;
        }
        position = hole;
    }
    return ::ftruncate(to, size) == 0 ? 0 : errno;
}

}  // namespace

int WriteAll(int to, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(to, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return 0;
}

int CopyFileDataByReadWrite(int from, int to) {
    std::vector<char> chunk(kChunkSize);
    for (;;) {
        const ssize_t count = ::read(from, chunk.data(), chunk.size());
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (count == 0) {
            return 0;
        }
        if (const int error = WriteAll(to, chunk.data(), static_cast<std::size_t>(count));
            error != 0) {
            return error;
        }
    }
}

int CopyFileDataThroughMemory(int from, char* buffer, std::size_t size, int to,
                              std::size_t* copied) {
    std::size_t filled = 0;
    while (filled < size) {
        const ssize_t count = ::read(from, buffer + filled, size - filled);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            return errno;
        }
        if (count == 0) {
            break;  // the file shrank since its size was taken: what is there is copied
        }
        filled += static_cast<std::size_t>(count);
    }
    *copied = filled;
    return WriteAll(to, buffer, filled);
}

int CopyFileData(int from, const struct stat& status, int to) {
    // A file whose blocks cover its size has no hole, and is not asked for one.
    if (S_ISREG(status.st_mode) && status.st_blocks * 512 < status.st_size &&
        ::lseek(from, 0, SEEK_CUR) == 0 && HasHoles(from, status.st_size)) {
        return CopyDataSegments(from, to, status.st_size);
    }
    bool copiedAny = false;
    off_t copied = 0;
    for (;;) {
        const ssize_t count = ::copy_file_range(from, nullptr, to, nullptr, kKernelChunkSize, 0);
        if (count > 0) {
            copiedAny = true;
            copied += count;
            // The size the copy began with is copied: no call is spent to find the end.
            if (status.st_size > 0 && copied >= status.st_size) {
                return 0;
            }
            continue;
        }
        if (count == 0) {
            // Files whose size the kernel does not know (as in /proc) give 0 at once: read
            // them. A 0 after data is the end of the file.
            return copiedAny ? 0 : CopyFileDataByReadWrite(from, to);
        }
        if (errno == EINTR) {
            continue;
        }
        if (!copiedAny && KernelCopyUnavailable(errno)) {
            return CopyFileDataByReadWrite(from, to);
        }
        return errno;
    }
}

}  // namespace quorvel::platform::posix
