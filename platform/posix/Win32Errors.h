// The Win32 error that stands for a POSIX errno value in the file calls.
#pragma once

#include "platform/ErrorCode.h"

namespace quorvel::platform::posix {

// ENOENT/ENOTDIR: path not found; EACCES, EPERM, EROFS, EISDIR, ETXTBSY: access denied;
// ENOSPC, EDQUOT, EFBIG: disk full; EEXIST: already exists; ENAMETOOLONG: name too long;
// ENOTEMPTY: folder not empty; anything else: ERROR_GEN_FAILURE.
ErrorCode Win32ErrorOfErrno(int error);

}  // namespace quorvel::platform::posix
