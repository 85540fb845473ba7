// The one error type of the host layer: a Win32 error number, as the Win32 calls report it, on
// every host. The numbers the installer meets are listed once, here; the Linux host maps its
// errno values onto them at its edge.
#pragma once

#include <cstdint>
#include <optional>
#include <utility>

namespace quorvel::platform {

enum class [[nodiscard]] ErrorCode : std::uint32_t{
    kSuccess = 0,               // ERROR_SUCCESS
    kFileNotFound = 2,          // ERROR_FILE_NOT_FOUND
    kPathNotFound = 3,          // ERROR_PATH_NOT_FOUND
    kAccessDenied = 5,          // ERROR_ACCESS_DENIED
    kInvalidHandle = 6,         // ERROR_INVALID_HANDLE
    kGenFailure = 31,           // ERROR_GEN_FAILURE
    kSharingViolation = 32,     // ERROR_SHARING_VIOLATION
    kLockViolation = 33,        // ERROR_LOCK_VIOLATION
    kInvalidParameter = 87,     // ERROR_INVALID_PARAMETER
    kDiskFull = 112,            // ERROR_DISK_FULL
    kInvalidName = 123,         // ERROR_INVALID_NAME
    kDirNotEmpty = 145,         // ERROR_DIR_NOT_EMPTY
    kAlreadyExists = 183,       // ERROR_ALREADY_EXISTS
    kFilenameExcedRange = 206,  // ERROR_FILENAME_EXCED_RANGE
    kMoreData = 234,            // ERROR_MORE_DATA
};

constexpr bool IsSuccess(ErrorCode error) {
    return error == ErrorCode::kSuccess;
}

// The error of a number a Win32 call reported (GetLastError, a registry call's result).
constexpr ErrorCode ErrorCodeOf(std::uint32_t win32Error) {
    return static_cast<ErrorCode>(win32Error);
}

constexpr std::uint32_t Win32Number(ErrorCode error) {
    return static_cast<std::uint32_t>(error);
}

// A value, or the error that kept a call from giving one.
template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : value_(std::move(value)) {}  // NOLINT: a value is a result
    // `error` is never kSuccess: a success carries its value.
    Result(ErrorCode error) : error_(IsSuccess(error) ? ErrorCode::kGenFailure : error) {}

    bool Ok() const { return value_.has_value(); }
    explicit operator bool() const { return Ok(); }
    ErrorCode Error() const { return error_; }

    T& Value() & { return *value_; }
    const T& Value() const& { return *value_; }
    T&& Value() && { return std::move(*value_); }
    T* operator->() { return &*value_; }
    const T* operator->() const { return &*value_; }
    T& operator*() & { return *value_; }
    const T& operator*() const& { return *value_; }

private:
    std::optional<T> value_;
    ErrorCode error_ = ErrorCode::kSuccess;
};

}  // namespace quorvel::platform
