// Owners of the POSIX handles the host opens: a file descriptor and a directory stream. Each
// closes its handle when it goes out of scope.
#pragma once

#include <dirent.h>
#include <unistd.h>

#include <utility>

namespace quorvel::platform::posix {

class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() { Reset(); }
    UniqueFd(UniqueFd&& other) noexcept : fd_(other.Release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int Get() const { return fd_; }
    bool IsValid() const { return fd_ >= 0; }
    int Release() { return std::exchange(fd_, -1); }
    void Reset(int fd = -1) {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        fd_ = fd;
    }

private:
    int fd_ = -1;
};

class UniqueDir {
public:
    explicit UniqueDir(DIR* dir) : dir_(dir) {}
    ~UniqueDir() {
        if (dir_ != nullptr) {
            ::closedir(dir_);
        }
    }
    UniqueDir(const UniqueDir&) = delete;
    UniqueDir& operator=(const UniqueDir&) = delete;

    DIR* Get() const { return dir_; }
    bool IsValid() const { return dir_ != nullptr; }

private:
    DIR* dir_;
};

}  // namespace quorvel::platform::posix
