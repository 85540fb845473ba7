// The file that a copy or a content replacement ends in, found before anything is written:
// a write-protected file or a folder there refuses the write, a symbolic link is followed so
// that its target, not the link, gets the new content.
#pragma once

#include <sys/stat.h>

#include <string>
#include <string_view>

#include "platform/ErrorCode.h"
#include "platform/posix/UniqueFd.h"

namespace quorvel::platform::posix {

class FolderCache;

struct ReplaceTarget {
    std::string folder;     // host folder in which the new content is made and renamed
    std::string path;       // host path that is created or replaced
    bool exists = false;    // a regular file is there now
    struct stat status {};  // of that file
    UniqueFd folderFd;      // `folder` opened (O_PATH) where the lookup opened it, for the
                            // call to make and name the new file in: no walk of its path again
};

// kSuccess, or the Win32 error: that of the path's resolution; ERROR_INVALID_NAME (123) for a path
// ending in a separator; ERROR_ACCESS_DENIED (5) when a folder or another entry that is no
// regular file is there, or a write-protected file.
ErrorCode FindReplaceTarget(std::string_view windowsPath, FolderCache& folders,
                            ReplaceTarget* target);

// Read-only as Windows shows it: no write permission for the owner, or none for this process.
// The first test also holds for root, whom the kernel would let write.
bool IsWriteProtected(const std::string& path, const struct stat& status);

}  // namespace quorvel::platform::posix
