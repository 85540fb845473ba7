// How long a path the installer's narrow-text (A) file calls take: Windows and Wine refuse a
// path of more than 260 characters with ERROR_FILENAME_EXCED_RANGE (206).
#pragma once

#include <cstddef>
#include <string_view>

namespace quorvel::platform {

inline constexpr std::size_t kLongestNarrowPath = 260;

constexpr bool IsTooLongForNarrowCalls(std::string_view path) {
    return path.size() > kLongestNarrowPath;
}

}  // namespace quorvel::platform
