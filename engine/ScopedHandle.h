// Owns one open file handle and closes it on every path out of its scope.
#pragma once

#include "platform/Files.h"

namespace quorvel {

using ScopedHandle = platform::UniqueFile;

}  // namespace quorvel
