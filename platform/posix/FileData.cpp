#include "platform/posix/FileData.h"

#include <unistd.h>

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

int CopyFileData(int from, int to) {
    bool copiedAny = false;
    for (;;) {
        const ssize_t count = ::copy_file_range(from, nullptr, to, nullptr, kKernelChunkSize, 0);
        if (count > 0) {
            copiedAny = true;
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
