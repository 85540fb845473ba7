#include "platform/posix/Win32Errors.h"

#include <cerrno>

namespace quorvel::platform::posix {

ErrorCode Win32ErrorOfErrno(int error) {
    switch (error) {
        case 0:
            return ErrorCode::kSuccess;
        case ENOENT:
        case ENOTDIR:
            return ErrorCode::kPathNotFound;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
        case ETXTBSY:
            return ErrorCode::kAccessDenied;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return ErrorCode::kDiskFull;
        case EEXIST:
            return ErrorCode::kAlreadyExists;
        case ENAMETOOLONG:
            return ErrorCode::kFilenameExcedRange;
        case ENOTEMPTY:
            return ErrorCode::kDirNotEmpty;
        default:
            return ErrorCode::kGenFailure;
    }
}

}  // namespace quorvel::platform::posix
