// A file's modification time as a FILETIME count: 100-nanosecond intervals since 1601-01-01.
#pragma once

#include <ctime>
#include <limits>

#include "platform/Files.h"

namespace quorvel::platform::posix {

inline constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600;
inline constexpr std::uint64_t kFileTimeTicksPerSecond = 10000000;

// False for a time before 1601, which a FILETIME cannot hold.
inline bool FileTimeOfTimespec(const timespec& time, FileTime* fileTime) {
    if (time.tv_sec < -kSecondsFrom1601To1970 || time.tv_nsec < 0) {
        return false;
    }
    const auto seconds = static_cast<std::uint64_t>(time.tv_sec + kSecondsFrom1601To1970);
    if (seconds > std::numeric_limits<std::uint64_t>::max() / kFileTimeTicksPerSecond - 1) {
        return false;
    }
    *fileTime = seconds * kFileTimeTicksPerSecond + static_cast<std::uint64_t>(time.tv_nsec) / 100;
    return true;
}

}  // namespace quorvel::platform::posix
