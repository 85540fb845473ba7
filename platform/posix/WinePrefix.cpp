#include "platform/posix/WinePrefix.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "platform/posix/UniqueFd.h"

namespace quorvel::platform::posix {

namespace {

std::string HomeDirectory() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') {
        return home;
    }
    long bufferSize = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(bufferSize > 0 ? static_cast<std::size_t>(bufferSize) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr && found->pw_dir != nullptr) {
        return found->pw_dir;
    }
    return "";
}

}  // namespace

std::string WinePrefixDirectory() {
    const char* prefix = std::getenv("WINEPREFIX");
    if (prefix != nullptr && *prefix != '\0') {
        return prefix;
    }
    return HomeDirectory() + "/.wine";
}

bool IsOwnedByAnotherUser(const std::string& prefixDirectory) {
    struct stat status {};
    return ::stat(prefixDirectory.c_str(), &status) == 0 && status.st_uid != ::getuid();
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    const UniqueFd file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!file.IsValid()) {
        return std::nullopt;
    }
    std::string content;
    char chunk[65536];
    for (;;) {
        const ssize_t count = ::read(file.Get(), chunk, sizeof chunk);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            return std::nullopt;
        }
        if (count == 0) {
            return content;
        }
        content.append(chunk, static_cast<std::size_t>(count));
    }
}

}  // namespace quorvel::platform::posix
