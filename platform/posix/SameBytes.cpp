#include "platform/posix/SameBytes.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

namespace quorvel::platform::posix {

namespace {

// On the stack, whose pages stay: a buffer made anew for every file costs its page faults.
constexpr off_t kPieceSize = 64 * 1024;

// Reads exactly `length` bytes at `offset`; false at an error or an early end.
bool ReadExactly(int fd, char* buffer, std::size_t length, off_t offset) {
    while (length > 0) {
        const ssize_t count = ::pread(fd, buffer, length, offset);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return false;
        }
        buffer += count;
        offset += count;
        length -= static_cast<std::size_t>(count);
    }
    return true;
}

}  // namespace

bool HaveSameBytes(int first, int second, off_t size) {
    std::array<char, kPieceSize> a;
    std::array<char, kPieceSize> b;
    for (off_t offset = 0; offset < size;) {
        const auto length = static_cast<std::size_t>(std::min(size - offset, kPieceSize));
        if (!ReadExactly(first, a.data(), length, offset) ||
            !ReadExactly(second, b.data(), length, offset) ||
            std::memcmp(a.data(), b.data(), length) != 0) {
            return false;
        }
        offset += static_cast<off_t>(length);
    }
    // Neither file goes on beyond the size their callers saw.
    char extra = 0;
    return ::pread(first, &extra, 1, size) == 0 && ::pread(second, &extra, 1, size) == 0;
}

}  // namespace quorvel::platform::posix
