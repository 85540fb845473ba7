#include <windows.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "tests/support/TempTree.h"

namespace quorvel::test {

namespace {

constexpr std::int64_t kTicksPerSecond = 10000000;
constexpr std::int64_t kFirstOf2024InFileTimeSeconds = 13348540800;

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            const std::string child = path + "\\" + name;
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                RemoveTree(child);
            } else {
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

void CreateDirectories(const std::string& path) {
    for (std::size_t at = path.find('\\', 3); at != std::string::npos;
         at = path.find('\\', at + 1)) {
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
    }
    CreateDirectoryA(path.c_str(), nullptr);
}

std::string ParentOf(const std::string& path) {
    return path.substr(0, path.rfind('\\'));
}

HANDLE OpenForAttributes(const std::string& path, DWORD access) {
    return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

}  // namespace

TempTree::TempTree() {
    char base[MAX_PATH];
    const DWORD length = GetTempPathA(MAX_PATH, base);
    if (length == 0 || length >= MAX_PATH) {
        throw std::runtime_error("GetTempPathA failed");
    }
    std::string prefix(base, length);
    if (!prefix.empty() && prefix.back() == '\\') {
        prefix.pop_back();
    }
    for (unsigned attempt = 0;; ++attempt) {
        const std::string candidate =
            prefix + "\\quorvel-test-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(GetTickCount()) + "-" + std::to_string(attempt);
        if (CreateDirectoryA(candidate.c_str(), nullptr)) {
            root_ = candidate;
            break;
        }
        if (attempt > 1000) {
            throw std::runtime_error("cannot create a temporary folder");
        }
    }
    hostRoot_ = root_;
}

TempTree::~TempTree() {
    RemoveTree(root_);
}

std::string TempTree::HostPath(const std::string& relative) const {
    return Path(relative);
}

void TempTree::WriteFile(const std::string& relative, const std::string& bytes) const {
    const std::string path = Path(relative);
    CreateDirectories(ParentOf(path));
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        throw std::runtime_error("cannot write " + path);
    }
    DWORD written = 0;
    const BOOL ok =
        bytes.empty() ||
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    if (!ok || written != bytes.size()) {
        throw std::runtime_error("cannot write " + path);
    }
}

std::string TempTree::ReadFile(const std::string& relative) const {
    HANDLE file = CreateFileA(Path(relative).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::string();
    }
    std::string bytes;
    char chunk[65536];
    DWORD count = 0;
    while (::ReadFile(file, chunk, sizeof chunk, &count, nullptr) && count > 0) {
        bytes.append(chunk, count);
    }
    CloseHandle(file);
    return bytes;
}

bool TempTree::Exists(const std::string& relative) const {
    return GetFileAttributesA(Path(relative).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool TempTree::IsDirectory(const std::string& relative) const {
    const DWORD attributes = GetFileAttributesA(Path(relative).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void TempTree::MakeDirectory(const std::string& relative) const {
    CreateDirectories(Path(relative));
}

void TempTree::SetReadOnly(const std::string& relative, bool readOnly) const {
    const std::string path = Path(relative);
    const DWORD attributes = GetFileAttributesA(path.c_str());
    const DWORD changed = readOnly ? (attributes | FILE_ATTRIBUTE_READONLY)
                                   : (attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    SetFileAttributesA(path.c_str(), changed == 0 ? FILE_ATTRIBUTE_NORMAL : changed);
}

bool TempTree::IsReadOnly(const std::string& relative) const {
    const DWORD attributes = GetFileAttributesA(Path(relative).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

void TempTree::SetLastWriteTime(const std::string& relative, std::uint64_t fileTime) const {
    HANDLE file = OpenForAttributes(Path(relative), FILE_WRITE_ATTRIBUTES);
    FILETIME time;
    time.dwLowDateTime = static_cast<DWORD>(fileTime & 0xFFFFFFFFu);
    time.dwHighDateTime = static_cast<DWORD>(fileTime >> 32);
    const BOOL ok = file != INVALID_HANDLE_VALUE && SetFileTime(file, nullptr, nullptr, &time);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
    }
    if (!ok) {
        throw std::runtime_error("SetFileTime failed");
    }
}

std::uint64_t TempTree::LastWriteTime(const std::string& relative) const {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(Path(relative).c_str(), GetFileExInfoStandard, &data)) {
        return 0;
    }
    return (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
           data.ftLastWriteTime.dwLowDateTime;
}

std::string TempTree::ListHostNames(const std::string& relative) const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((Path(relative) + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name != "." && name != "..") {
                names.push_back(name);
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    std::sort(names.begin(), names.end());
    std::string list;
    for (const std::string& name : names) {
        list += (list.empty() ? "" : " ") + name;
    }
    return list;
}

std::uint64_t FileTimeAt(std::int64_t seconds) {
    return static_cast<std::uint64_t>((kFirstOf2024InFileTimeSeconds + seconds) * kTicksPerSecond);
}

}  // namespace quorvel::test
