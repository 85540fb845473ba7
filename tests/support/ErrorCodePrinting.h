// Error codes in test failures as their Win32 numbers.
#pragma once

#include <ostream>

#include "platform/ErrorCode.h"

namespace quorvel::platform {

inline void PrintTo(ErrorCode error, std::ostream* out) {
    *out << "Win32 error " << Win32Number(error);
}

}  // namespace quorvel::platform
