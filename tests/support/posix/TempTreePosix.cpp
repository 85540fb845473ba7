#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "platform/Cp1252.h"
#include "tests/support/TempTree.h"

namespace quorvel::test {

namespace fs = std::filesystem;

namespace {
constexpr std::int64_t kUnixEpochInFileTimeSeconds = 11644473600;
constexpr std::int64_t kTicksPerSecond = 10000000;

std::string ToUtf8(const std::string& cp1252) {
    return platform::Cp1252ToUtf8(cp1252);
}
}  // namespace

TempTree::TempTree() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern =
        std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/quorvel-test-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    hostRoot_ = pattern;
    std::string windows = "Z:" + pattern;
    std::replace(windows.begin(), windows.end(), '/', '\\');
    root_ = platform::Utf8ToCp1252(windows).value();
}

TempTree::~TempTree() {
    std::error_code ignored;
    // Give back write permission first so that everything can be removed.
    for (auto it = fs::recursive_directory_iterator(hostRoot_, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    fs::remove_all(hostRoot_, ignored);
}

std::string TempTree::HostPath(const std::string& relative) const {
    std::string path = ToUtf8(relative);
    std::replace(path.begin(), path.end(), '\\', '/');
    return hostRoot_ + "/" + path;
}

void TempTree::WriteFile(const std::string& relative, const std::string& bytes) const {
    const fs::path path = HostPath(relative);
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

std::string TempTree::ReadFile(const std::string& relative) const {
    std::ifstream in(HostPath(relative), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool TempTree::Exists(const std::string& relative) const {
    struct stat status {};
    return lstat(HostPath(relative).c_str(), &status) == 0;
}

bool TempTree::IsDirectory(const std::string& relative) const {
    return fs::is_directory(HostPath(relative));
}

void TempTree::MakeDirectory(const std::string& relative) const {
    fs::create_directories(HostPath(relative));
}

void TempTree::SetReadOnly(const std::string& relative, bool readOnly) const {
    const fs::perms write =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(HostPath(relative), readOnly ? write : fs::perms::owner_write,
                    readOnly ? fs::perm_options::remove : fs::perm_options::add);
}

bool TempTree::IsReadOnly(const std::string& relative) const {
    struct stat status {};
    return stat(HostPath(relative).c_str(), &status) == 0 && (status.st_mode & S_IWUSR) == 0;
}

void TempTree::SetLastWriteTime(const std::string& relative, std::uint64_t fileTime) const {
    const auto ticks = static_cast<std::int64_t>(fileTime);
    timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = ticks / kTicksPerSecond - kUnixEpochInFileTimeSeconds;
    times[1].tv_nsec = (ticks % kTicksPerSecond) * 100;
    if (utimensat(AT_FDCWD, HostPath(relative).c_str(), times, 0) != 0) {
        throw std::runtime_error("utimensat failed");
    }
}

std::uint64_t TempTree::LastWriteTime(const std::string& relative) const {
    struct stat status {};
    if (stat(HostPath(relative).c_str(), &status) != 0) {
        return 0;
    }
    return static_cast<std::uint64_t>((status.st_mtim.tv_sec + kUnixEpochInFileTimeSeconds) *
                                          kTicksPerSecond +
                                      status.st_mtim.tv_nsec / 100);
}

std::string TempTree::ListHostNames(const std::string& relative) const {
    std::vector<std::string> names;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(HostPath(relative), ignored)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    std::string list;
    for (const std::string& name : names) {
        list += (list.empty() ? "" : " ") + name;
    }
    return list;
}

std::uint64_t FileTimeAt(std::int64_t seconds) {
    constexpr std::int64_t kFirstOf2024 = 1704067200;
    return static_cast<std::uint64_t>((kFirstOf2024 + seconds + kUnixEpochInFileTimeSeconds) *
                                      kTicksPerSecond);
}

}  // namespace quorvel::test
