// Owners of the POSIX handles the Linux host opens: a file descriptor and a folder stream.
#pragma once

#include <dirent.h>
#include <unistd.h>

#include "platform/UniqueHandle.h"

namespace quorvel::platform::posix {

inline void CloseFd(int fd) {
    ::close(fd);
}
inline void CloseDirStream(DIR* dir) {
    ::closedir(dir);
}

using UniqueFd = UniqueHandle<int, &CloseFd, -1>;
using UniqueDir = UniqueHandle<DIR*, &CloseDirStream, nullptr>;

}  // namespace quorvel::platform::posix
