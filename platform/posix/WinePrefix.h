// The Wine prefix whose registry and drives the host emulates.
#pragma once

#include <optional>
#include <string>

namespace quorvel::platform::posix {

// The prefix folder: WINEPREFIX when set and not empty, else ".wine" in the home folder.
std::string WinePrefixDirectory();

// True when the prefix folder is there and another user owns it: Wine refuses to run in such
// a prefix ("is not owned by you"), and so does the Linux program, also when run as root, so
// that no file of the user's prefix becomes root's.
bool IsOwnedByAnotherUser(const std::string& prefixDirectory);

// The whole content of a file, read afresh; nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);

}  // namespace quorvel::platform::posix
