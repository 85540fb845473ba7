// What a file keeps when its content is replaced: the new content is made in a file of its own
// and renamed over the old one, so the old file's metadata is carried over to it first.
#pragma once

#include <sys/stat.h>

#include <string>

namespace quorvel::platform::posix {

// Gives the open file `fd` the extended attributes of the file at `oldPath` (those this process
// may set), its owner and group (where this process may give files away: as root), and its
// mode. 0, or the errno value of a mode that could not be set.
int KeepReplacedFileMetadata(int fd, const std::string& oldPath, const struct stat& old);

}  // namespace quorvel::platform::posix
