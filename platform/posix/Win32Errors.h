// The Win32 error code that stands for a POSIX errno value in the file calls.
#pragma once

#include <cstdint>

namespace quorvel::platform::posix {

inline constexpr std::uint32_t kErrorFileNotFound = 2;       // ERROR_FILE_NOT_FOUND
inline constexpr std::uint32_t kErrorSharingViolation = 32;  // ERROR_SHARING_VIOLATION
inline constexpr std::uint32_t kErrorInvalidName = 123;      // ERROR_INVALID_NAME
inline constexpr std::uint32_t kErrorFilenameTooLong = 206;  // ERROR_FILENAME_EXCED_RANGE

// ENOENT/ENOTDIR: path not found; EACCES, EPERM, EROFS, EISDIR, ETXTBSY: access denied;
// ENOSPC, EDQUOT, EFBIG: disk full; EEXIST: already exists; ENAMETOOLONG: name too long;
// anything else: ERROR_GEN_FAILURE.
std::uint32_t Win32ErrorOfErrno(int error);

}  // namespace quorvel::platform::posix
