// The result of the installer's operations: 0 is success, a negative value a failure.
#pragma once

#include <cstdint>

namespace quorvel {

using StatusCode = std::int32_t;

inline constexpr StatusCode kStatusSuccess = 0;
inline constexpr StatusCode kStatusFailure = static_cast<StatusCode>(0x80004005u);  // E_FAIL

inline constexpr bool Succeeded(StatusCode status) {
    return status >= 0;
}

}  // namespace quorvel
