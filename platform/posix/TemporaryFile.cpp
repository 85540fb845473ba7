#include "platform/posix/TemporaryFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <ctime>
#include <string_view>

#include "platform/MachineHost.h"
#include "platform/posix/HostPath.h"
#include "platform/posix/Interruption.h"
#include "platform/posix/ReplaceTarget.h"

namespace quorvel::platform::posix {

namespace {

constexpr std::string_view kNameStart = ".quorvel-";
constexpr std::string_view kNameEnd = ".tmp";
constexpr std::size_t kHexDigits = 16;
constexpr time_t kLeftOverSeconds = 2;  // unwritten this long, and unlocked: left over

bool IsTemporaryFileName(std::string_view name) {
    if (name.size() != kNameStart.size() + kHexDigits + kNameEnd.size() ||
        !name.starts_with(kNameStart) || !name.ends_with(kNameEnd)) {
        return false;
    }
    const std::string_view digits = name.substr(kNameStart.size(), kHexDigits);
    return digits.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

// A short hidden name, whatever the length of the target's name: ".quorvel-<16 hex>.tmp".
std::string RandomName(unsigned attempt) {
    std::uint64_t bits = 0;
    if (::getrandom(&bits, sizeof bits, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof bits)) {
        timespec now{};
        ::clock_gettime(CLOCK_MONOTONIC, &now);
        bits = static_cast<std::uint64_t>(now.tv_nsec) ^
               (static_cast<std::uint64_t>(::getpid()) << 32) ^ (attempt * 0x9E3779B97F4A7C15u);
    }
    static const char kDigits[] = "0123456789abcdef";
    std::string name(kNameStart);
    for (int shift = 60; shift >= 0; shift -= 4) {
        name += kDigits[(bits >> shift) & 0xF];
    }
    return name + std::string(kNameEnd);
}

// The path through which the open file `fd` is linked to a name.
std::string ProcPathOf(int fd) {
    return "/proc/self/fd/" + std::to_string(fd);
}

// The name of `path` in `folder`, where `path` is an entry of that folder itself; else empty.
std::string NameInFolder(const std::string& folder, const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos || slash + 1 == path.size()) {
        return {};
    }
    std::string name = path.substr(slash + 1);
    return JoinHostPath(folder, name) == path ? name : std::string();
}

}  // namespace

TemporaryFile::TemporaryFile(const std::string& folder, mode_t mode, TemporaryNaming naming,
                             int folderFd, std::optional<bool>* linksByDescriptor)
    : folder_(folder), folderFd_(folderFd), linksByDescriptor_(linksByDescriptor) {
    if (naming == TemporaryNaming::kUnnamed) {
        fd_.Reset(folderFd >= 0 ? ::openat(folderFd, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mode)
                                : ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode));
        if (fd_.IsValid()) {
            return;
        }
        // A file system without unnamed files (EOPNOTSUPP, or EISDIR and EINVAL from older
        // kernels) gets a named one; any other error the named one finds again.
    }
    error_ = TakeOwnName(mode, true);
}

int TemporaryFile::TakeOwnName(mode_t mode, bool create) {
    constexpr unsigned kAttempts = 100;
    for (unsigned attempt = 0; attempt < kAttempts; ++attempt) {
        std::string candidate = JoinHostPath(folder_, RandomName(attempt));
        bool taken = false;
        if (create) {
            const int fd =
                ::open(candidate.c_str(),
                       O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW, mode);
            taken = fd >= 0;
            if (taken) {
                fd_.Reset(fd);
            }
        } else {
            taken = ::linkat(AT_FDCWD, ProcPathOf(fd_.Get()).c_str(), AT_FDCWD, candidate.c_str(),
                             AT_SYMLINK_FOLLOW) == 0;
        }
        if (taken) {
            // Held while the file exists: a later run sees that it is not left over.
            ::flock(fd_.Get(), LOCK_EX | LOCK_NB);
            remembered_ = RememberTemporaryFile(candidate);
            path_ = std::move(candidate);
            return 0;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    return errno;
}

TemporaryFile::~TemporaryFile() {
    fd_.Reset();
    if (!path_.empty() && !committed_) {
        ::unlink(path_.c_str());
    }
    ForgetTemporaryFile(remembered_);
}

int TemporaryFile::LinkAs(const std::string& target) {
    // Through the open folder, where the target is one of its entries: its path is not
    // walked again.
    const std::string name = folderFd_ >= 0 ? NameInFolder(folder_, target) : std::string();
    const int at = name.empty() ? AT_FDCWD : folderFd_;
    const char* linkPath = name.empty() ? target.c_str() : name.c_str();
    if (const int linked = Link(at, linkPath); linked != 0) {
        return linked;
    }
    // close() reports the write errors some file systems keep until then: the name goes again.
    if (::close(fd_.Release()) != 0) {
        const int error = errno;
        ::unlinkat(at, linkPath, 0);
        return error;
    }
    committed_ = true;
    return 0;
}

int TemporaryFile::Link(int at, const char* path) {
    std::optional<bool>* const byDescriptor = linksByDescriptor_;
    if (byDescriptor != nullptr && *byDescriptor != false) {
        if (::linkat(fd_.Get(), "", at, path, AT_EMPTY_PATH) == 0) {
            *byDescriptor = true;
            return 0;
        }
        // A kernel that does not let this program link by descriptor says ENOENT (or EPERM):
        // learnt at the first link, and /proc/self/fd taken from then on.
        const bool refused = errno == ENOENT || errno == EPERM;
        if (byDescriptor->has_value() || !refused) {
            return errno;
        }
        *byDescriptor = false;
    }
    if (::linkat(AT_FDCWD, ProcPathOf(fd_.Get()).c_str(), at, path, AT_SYMLINK_FOLLOW) != 0) {
        return errno;
    }
    return 0;
}

int TemporaryFile::CommitAs(const std::string& target) {
    if (!fd_.IsValid()) {
        return EBADF;
    }
    if (path_.empty()) {
        const int linked = LinkAs(target);
        if (linked != EEXIST) {
            return linked;
        }
        // The target appeared since it was looked for: replaced as any target is, below.
        if (const int named = TakeOwnName(0, false); named != 0) {
            return named;
        }
    }
    // close() reports the write errors some file systems (NFS, FUSE) keep until then.
    if (::close(fd_.Release()) != 0) {
        return errno;
    }
    if (::rename(path_.c_str(), target.c_str()) != 0) {
        return errno;
    }
    committed_ = true;
    ForgetTemporaryFile(remembered_);
    remembered_ = -1;
    return 0;
}

std::size_t RemoveLeftOverTemporaryFiles(const std::string& folder) {
    const UniqueDir dir(::opendir(folder.c_str()));
    if (!dir.IsValid()) {
        return 0;
    }
    const int dirFd = ::dirfd(dir.Get());
    const time_t now = ::time(nullptr);
    std::size_t removed = 0;
    while (const dirent* entry = ::readdir(dir.Get())) {
        if (!IsTemporaryFileName(entry->d_name)) {
            continue;
        }
        const UniqueFd file(::openat(dirFd, entry->d_name,
                                     O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
        struct stat opened {};
        struct stat named {};
        if (!file.IsValid() || ::fstat(file.Get(), &opened) != 0 || !S_ISREG(opened.st_mode) ||
            opened.st_mtime > now - kLeftOverSeconds ||
            ::flock(file.Get(), LOCK_EX | LOCK_NB) != 0) {
            continue;  // another run's, still being written
        }
        // Removed only if the name still stands for the file found unlocked.
        if (::fstatat(dirFd, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
            named.st_dev == opened.st_dev && named.st_ino == opened.st_ino &&
            ::unlinkat(dirFd, entry->d_name, 0) == 0) {
            ++removed;
        }
    }
    return removed;
}

bool CanLinkUnnamedFiles() {
    return ::access("/proc/self/fd", X_OK) == 0;
}

}  // namespace quorvel::platform::posix

namespace quorvel::platform {

void MachineHost::ClearLeftOversOnce(const std::string& hostFolder) {
    if (clearedFolders_.insert(hostFolder).second) {
        posix::RemoveLeftOverTemporaryFiles(hostFolder);
    }
}

posix::TemporaryFile MachineHost::NewContentFor(const posix::ReplaceTarget& target) {
    if (target.exists) {
        return posix::TemporaryFile(target.folder, 0600);  // given the replaced file's mode later
    }
    // A new file is made as Wine makes one, 0666 less the umask.
    return posix::TemporaryFile(target.folder, posix::kNewFileMode, NamingOfNewFiles(),
                                target.folderFd.Get(), &unnamedFilesLinkedByDescriptor_);
}

posix::TemporaryNaming MachineHost::NamingOfNewFiles() {
    if (!unnamedFilesLinkable_) {
        unnamedFilesLinkable_ = posix::CanLinkUnnamedFiles();
    }
    return *unnamedFilesLinkable_ ? posix::TemporaryNaming::kUnnamed
                                  : posix::TemporaryNaming::kNamed;
}

}  // namespace quorvel::platform
