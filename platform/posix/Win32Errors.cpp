#include "platform/posix/Win32Errors.h"

#include <cerrno>

#include "platform/Files.h"

namespace quorvel::platform::posix {

std::uint32_t Win32ErrorOfErrno(int error) {
    switch (error) {
        case 0:
            return kNoError;
        case ENOENT:
        case ENOTDIR:
            return kErrorPathNotFound;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
        case ETXTBSY:
            return kErrorAccessDeniedCode;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return kErrorDiskFull;
        case EEXIST:
            return kErrorAlreadyExists;
        case ENAMETOOLONG:
            return kErrorFilenameTooLong;
        default:
            return kErrorGeneric;
    }
}

}  // namespace quorvel::platform::posix
