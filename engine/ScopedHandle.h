// Owns one open file handle and closes it on every path out of its scope.
#pragma once

#include "platform/Files.h"

namespace quorvel {

class ScopedHandle {
public:
    explicit ScopedHandle(platform::FileHandle handle) : handle_(handle) {}
    ~ScopedHandle() {
        if (IsValid()) {
            platform::CloseFile(handle_);
        }
    }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;

    bool IsValid() const { return handle_ != platform::kInvalidFileHandle; }
    platform::FileHandle Get() const { return handle_; }

private:
    platform::FileHandle handle_;
};

}  // namespace quorvel
