// One owner for every kind of handle the host opens: a file, a folder stream, a registry key, a
// window's paint session. Each kind is one line, the handle type, the call that closes it and
// the value that means "none":
//
//   using UniqueFd = UniqueHandle<int, &CloseFd, -1>;
//
// The owner is movable, not copyable, and closes its handle on every path out of its scope.
#pragma once

#include <utility>

namespace quorvel::platform {

template <typename Handle, auto Close, Handle kNone>
class [[nodiscard]] UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle Get() const { return handle_; }
    bool IsValid() const { return handle_ != kNone; }
    explicit operator bool() const { return IsValid(); }

    // Gives the handle up without closing it.
    [[nodiscard]] Handle Release() { return std::exchange(handle_, kNone); }
    // Closes the handle held, if any, and takes `handle`.
    void Reset(Handle handle = kNone) {
        const Handle old = std::exchange(handle_, handle);
        if (old != kNone) {
            Close(old);
        }
    }

private:
    Handle handle_ = kNone;
};

}  // namespace quorvel::platform
