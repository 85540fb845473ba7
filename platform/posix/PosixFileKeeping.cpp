#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/Cp1252.h"
#include "platform/FileKeeping.h"
#include "platform/posix/HostPath.h"
#include "platform/posix/TemporaryFile.h"
#include "platform/posix/UniqueFd.h"
#include "platform/posix/Win32Errors.h"

namespace quorvel::platform {

namespace {

// The host path of an existing entry, or of a new one in an existing folder.
Result<std::string> HostPathOf(const std::string& path, bool mustExist) {
    const posix::HostPathResult resolved = posix::ResolveHostPath(path);
    if (!IsSuccess(resolved.error)) {
        return resolved.error;
    }
    if (mustExist && !resolved.path.exists) {
        return ErrorCode::kFileNotFound;
    }
    return resolved.path.Full();
}

ErrorCode LastError() {
    return posix::Win32ErrorOfErrno(errno);
}

}  // namespace

ErrorCode LinkFile(const std::string& existing, const std::string& link) {
    const Result<std::string> from = HostPathOf(existing, true);
    const Result<std::string> to = HostPathOf(link, false);
    if (!from || !to) {
        return !from ? from.Error() : to.Error();
    }
    return ::link(from->c_str(), to->c_str()) == 0 ? ErrorCode::kSuccess : LastError();
}

// The host path of `name`, exactly as written, in the existing folder `folder`.
Result<std::string> HostPathIn(const std::string& folder, std::string_view name) {
    const Result<std::string> host = HostPathOf(folder, true);
    const std::optional<std::string> utf8 =
        name.empty() ? std::nullopt : std::optional<std::string>(Cp1252ToUtf8(name));
    if (!host || !utf8) {
        return !host ? host.Error() : ErrorCode::kInvalidName;
    }
    return posix::JoinHostPath(*host, *utf8);
}

ErrorCode LinkFileAs(const std::string& existing, const std::string& folder,
                     std::string_view name) {
    const Result<std::string> from = HostPathOf(existing, true);
    const Result<std::string> to = HostPathIn(folder, name);
    if (!from || !to) {
        return !from ? from.Error() : to.Error();
    }
    return ::link(from->c_str(), to->c_str()) == 0 ? ErrorCode::kSuccess : LastError();
}

ErrorCode DeleteOneFileAs(const std::string& folder, std::string_view name) {
    const Result<std::string> host = HostPathIn(folder, name);
    if (!host) {
        return host.Error();
    }
    return ::unlink(host->c_str()) == 0 ? ErrorCode::kSuccess : LastError();
}

ErrorCode DeleteOneFile(const std::string& path) {
    const Result<std::string> host = HostPathOf(path, true);
    if (!host) {
        return host.Error();
    }
    return ::unlink(host->c_str()) == 0 ? ErrorCode::kSuccess : LastError();
}

ErrorCode RemoveEmptyFolder(const std::string& path) {
    const Result<std::string> host = HostPathOf(path, true);
    if (!host) {
        return host.Error();
    }
    return ::rmdir(host->c_str()) == 0 ? ErrorCode::kSuccess : LastError();
}

ErrorCode MoveReplacing(const std::string& from, const std::string& to) {
    const Result<std::string> source = HostPathOf(from, true);
    const Result<std::string> target = HostPathOf(to, false);
    if (!source || !target) {
        return !source ? source.Error() : target.Error();
    }
    if (::rename(source->c_str(), target->c_str()) != 0) {
        return LastError();
    }
    const std::size_t slash = target->rfind('/');
    const posix::UniqueFd folder(::open(slash == 0 ? "/" : target->substr(0, slash).c_str(),
                                        O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.IsValid()) {
        ::fsync(folder.Get());
    }
    return ErrorCode::kSuccess;
}

ErrorCode SetReadOnly(const std::string& path, bool readOnly) {
    const Result<std::string> host = HostPathOf(path, true);
    if (!host) {
        return host.Error();
    }
    struct stat status {};
    if (::stat(host->c_str(), &status) != 0) {
        return LastError();
    }
    const mode_t mode =
        readOnly ? (status.st_mode & 07777 & ~S_IWUSR) : ((status.st_mode & 07777) | S_IWUSR);
    return ::chmod(host->c_str(), mode) == 0 ? ErrorCode::kSuccess : LastError();
}

std::size_t RemoveLeftOvers(const std::string& folder) {
    const Result<std::string> host = HostPathOf(folder, true);
    return host ? posix::RemoveLeftOverTemporaryFiles(*host) : 0;
}

std::optional<std::vector<std::string>> FolderNames(const std::string& folder) {
    const Result<std::string> host = HostPathOf(folder, true);
    if (!host) {
        return std::nullopt;
    }
    const posix::UniqueDir dir(::opendir(host->c_str()));
    if (!dir.IsValid()) {
        return std::nullopt;
    }
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(dir.Get())) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        if (const std::optional<std::string> windows = Utf8ToCp1252(name)) {
            names.push_back(*windows);
        }
    }
    return names;
}

AppendOnlyFile::~AppendOnlyFile() {
    if (handle_ >= 0) {
        ::close(static_cast<int>(handle_));
    }
}

ErrorCode AppendOnlyFile::Open(const std::string& path) {
    const Result<std::string> host = HostPathOf(path, false);
    if (!host) {
        return host.Error();
    }
    const int fd = ::open(host->c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (fd < 0) {
        return LastError();
    }
    handle_ = fd;
    return ErrorCode::kSuccess;
}

bool AppendOnlyFile::IsOpen() const {
    return handle_ >= 0;
}

ErrorCode AppendOnlyFile::Append(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(static_cast<int>(handle_), bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return LastError();
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return ErrorCode::kSuccess;
}

ErrorCode AppendOnlyFile::Flush() {
    return ::fdatasync(static_cast<int>(handle_)) == 0 ? ErrorCode::kSuccess : LastError();
}

}  // namespace quorvel::platform
