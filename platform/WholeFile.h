// A file read whole into memory, for files that are looked at as a whole (a script being checked,
// a catalogue being compared).
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "platform/Host.h"

namespace quorvel::platform {

inline constexpr std::size_t kNoSizeLimit = static_cast<std::size_t>(-1);

// The file's bytes; nothing when it cannot be opened or read, or holds more than `limit` bytes.
std::optional<std::string> ReadWholeFile(Host& host, const std::string& path,
                                         std::size_t limit = kNoSizeLimit);

}  // namespace quorvel::platform
