#include "platform/posix/KeptMetadata.h"

#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>
#include <vector>

namespace quorvel::platform::posix {

namespace {

// The bytes of an attribute list or value as the call `read` gives them: it is asked for the
// size first, then for the bytes, again when they grew in between. Empty on failure.
template <typename Read>
std::vector<char> ReadSized(Read read) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        const ssize_t size = read(nullptr, 0);
        if (size <= 0) {
            return {};
        }
        std::vector<char> bytes(static_cast<std::size_t>(size));
        const ssize_t got = read(bytes.data(), bytes.size());
        if (got >= 0) {
            bytes.resize(static_cast<std::size_t>(got));
            return bytes;
        }
        if (errno != ERANGE) {
            return {};
        }
    }
    return {};
}

// Attributes a file system or this process refuses (trusted.* for a user, security.* without
// the right) are left out: the content matters more than they do.
void CopyExtendedAttributes(int fd, const std::string& oldPath) {
    const std::vector<char> names = ReadSized([&oldPath](char* buffer, std::size_t size) {
        return ::listxattr(oldPath.c_str(), buffer, size);
    });
    for (std::size_t at = 0; at < names.size();) {
        const std::string name(names.data() + at);
        at += name.size() + 1;
        const std::vector<char> value = ReadSized([&](char* buffer, std::size_t size) {
            return ::getxattr(oldPath.c_str(), name.c_str(), buffer, size);
        });
        ::fsetxattr(fd, name.c_str(), value.data(), value.size(), 0);
    }
}

}  // namespace

int KeepReplacedFileMetadata(int fd, const std::string& oldPath, const struct stat& old) {
    CopyExtendedAttributes(fd, oldPath);
    if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
        // Only root may give a file away; for everyone else the new file is their own.
        // chown clears the set-id bits, so the mode is set after it.
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
            // Refused to an ordinary user: the new file stays theirs, as Wine leaves it.
        }
    }
    return ::fchmod(fd, old.st_mode & 07777) == 0 ? 0 : errno;
}

}  // namespace quorvel::platform::posix
