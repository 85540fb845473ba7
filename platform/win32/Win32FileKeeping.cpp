#include <windows.h>

#include <algorithm>

#include "platform/FileKeeping.h"
#include "platform/win32/FindHandle.h"

namespace quorvel::platform {

using win32::FindHandle;

namespace {

ErrorCode LastError() {
    return static_cast<ErrorCode>(GetLastError());
}

ErrorCode Outcome(BOOL succeeded) {
    return succeeded ? ErrorCode::kSuccess : LastError();
}

HANDLE HandleOf(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

}  // namespace

ErrorCode LinkFile(const std::string& existing, const std::string& link) {
    return Outcome(CreateHardLinkA(link.c_str(), existing.c_str(), nullptr));
}

ErrorCode LinkFileAs(const std::string& existing, const std::string& folder,
                     std::string_view name) {
    return LinkFile(existing, folder + "\\" + std::string(name));
}

ErrorCode DeleteOneFileAs(const std::string& folder, std::string_view name) {
    return DeleteOneFile(folder + "\\" + std::string(name));
}

ErrorCode DeleteOneFile(const std::string& path) {
    return Outcome(DeleteFileA(path.c_str()));
}

ErrorCode RemoveEmptyFolder(const std::string& path) {
    return Outcome(RemoveDirectoryA(path.c_str()));
}

ErrorCode MoveReplacing(const std::string& from, const std::string& to) {
    return Outcome(
        MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
}

ErrorCode SetReadOnly(const std::string& path, bool readOnly) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return LastError();
    }
    const DWORD changed = readOnly ? (attributes | FILE_ATTRIBUTE_READONLY)
                                   : (attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    return Outcome(
        SetFileAttributesA(path.c_str(), changed == 0 ? FILE_ATTRIBUTE_NORMAL : changed));
}

std::size_t RemoveLeftOvers(const std::string& /*folder*/) {
    return 0;  // the temporary files of CopyFileReplacing are Windows' own (qvl*.tmp)
}

std::optional<std::vector<std::string>> FolderNames(const std::string& folder) {
    WIN32_FIND_DATAA found{};
    const FindHandle find(FindFirstFileA((folder + "\\*").c_str(), &found));
    if (find.Get() == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    std::vector<std::string> names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    } while (FindNextFileA(find.Get(), &found));
    return names;
}

AppendOnlyFile::~AppendOnlyFile() {
    if (handle_ != -1) {
        CloseHandle(HandleOf(handle_));
    }
}

ErrorCode AppendOnlyFile::Open(const std::string& path) {
    const HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return LastError();
    }
    handle_ = reinterpret_cast<std::intptr_t>(file);
    return ErrorCode::kSuccess;
}

bool AppendOnlyFile::IsOpen() const {
    return handle_ != -1;
}

ErrorCode AppendOnlyFile::Append(std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        const DWORD size = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        if (!WriteFile(HandleOf(handle_), bytes.data(), size, &written, nullptr)) {
            return LastError();
        }
        bytes.remove_prefix(written);
    }
    return ErrorCode::kSuccess;
}

ErrorCode AppendOnlyFile::Flush() {
    return Outcome(FlushFileBuffers(HandleOf(handle_)));
}

}  // namespace quorvel::platform
