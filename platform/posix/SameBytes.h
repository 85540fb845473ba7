// Whether two open files hold the same bytes: what lets a copy onto a destination that already
// holds the source's content be left undone.
#pragma once

#include <sys/types.h>

namespace quorvel::platform::posix {

// True when both files hold `size` bytes from their starts and those bytes are equal; false
// also when either cannot be read. Reads at offsets: the files' own offsets stay.
bool HaveSameBytes(int first, int second, off_t size);

}  // namespace quorvel::platform::posix
