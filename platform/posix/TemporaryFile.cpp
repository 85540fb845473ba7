#include "platform/posix/TemporaryFile.h"

#include <fcntl.h>
#include <sys/random.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <ctime>

#include "platform/posix/HostPath.h"

namespace quorvel::platform::posix {

namespace {

// A short hidden name, whatever the length of the target's name: ".quorvel-<16 hex>.tmp".
std::string RandomName(unsigned attempt) {
    std::uint64_t bits = 0;
    if (::getrandom(&bits, sizeof bits, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof bits)) {
        timespec now{};
        ::clock_gettime(CLOCK_MONOTONIC, &now);
        bits = static_cast<std::uint64_t>(now.tv_nsec) ^
               (static_cast<std::uint64_t>(::getpid()) << 32) ^ (attempt * 0x9E3779B97F4A7C15u);
    }
    static const char kDigits[] = "0123456789abcdef";
    std::string name = ".quorvel-";
    for (int shift = 60; shift >= 0; shift -= 4) {
        name += kDigits[(bits >> shift) & 0xF];
    }
    return name + ".tmp";
}

}  // namespace

TemporaryFile::TemporaryFile(const std::string& folder, mode_t mode) {
    constexpr unsigned kAttempts = 100;
    for (unsigned attempt = 0; attempt < kAttempts; ++attempt) {
        std::string candidate = JoinHostPath(folder, RandomName(attempt));
        const int fd =
            ::open(candidate.c_str(),
                   O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW, mode);
        if (fd >= 0) {
            path_ = std::move(candidate);
            fd_.Reset(fd);
            return;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    error_ = errno;
}

TemporaryFile::~TemporaryFile() {
    fd_.Reset();
    if (!path_.empty() && !committed_) {
        ::unlink(path_.c_str());
    }
}

int TemporaryFile::CommitAs(const std::string& target) {
    if (!fd_.IsValid()) {
        return EBADF;
    }
    // close() reports the write errors some file systems (NFS, FUSE) keep until then.
    if (::close(fd_.Release()) != 0) {
        return errno;
    }
    if (::rename(path_.c_str(), target.c_str()) != 0) {
        return errno;
    }
    committed_ = true;
    return 0;
}

}  // namespace quorvel::platform::posix
