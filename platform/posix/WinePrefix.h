// The Wine prefix whose registry and drives the host emulates.
#pragma once

#include <optional>
#include <string>

namespace quorvel::platform::posix {

// The prefix folder: WINEPREFIX when set and not empty, else ".wine" in the home folder.
std::string WinePrefixDirectory();

// The whole content of a file, read afresh; nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);

}  // namespace quorvel::platform::posix
