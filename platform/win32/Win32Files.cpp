// The file calls on Windows. Reads, directories and attributes are the Win32 functions
// themselves; writes go through a temporary file beside the destination, so that a failure
// (a full disk, a lost connection) never leaves a destination half-written.
#include <windows.h>

#include <algorithm>

#include "platform/MachineHost.h"
#include "platform/PathLimits.h"

namespace quorvel::platform {

namespace {

// A FILETIME as one count of 100 ns since 1601.
FileTime FileTimeOf(const FILETIME& time) {
    return (static_cast<FileTime>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

HANDLE ToHandle(FileHandle handle) {
    return reinterpret_cast<HANDLE>(handle);
}

// The owner of a handle CreateFileA returned, INVALID_HANDLE_VALUE included.
UniqueFile OwnHandle(HANDLE handle) {
    return handle == INVALID_HANDLE_VALUE ? UniqueFile()
                                          : UniqueFile(reinterpret_cast<FileHandle>(handle));
}

// The folder a temporary file for `path` goes in: the text before its last separator.
std::string FolderOf(const std::string& path) {
    const std::size_t last = path.find_last_of("\\/");
    return last == std::string::npos ? std::string(".") : path.substr(0, last);
}

bool IsReadOnly(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
           (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// A new, empty, uniquely named file in `folder`; empty text when none can be made, with the
// last error telling why (a missing folder as ERROR_PATH_NOT_FOUND).
std::string CreateTemporaryFileIn(const std::string& folder) {
    char name[MAX_PATH];
    if (GetTempFileNameA(folder.c_str(), "qvl", 0, name) == 0) {
        const DWORD attributes = GetFileAttributesA(folder.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            SetLastError(ERROR_PATH_NOT_FOUND);
        }
        return std::string();
    }
    return name;
}

// True when both paths name one existing file, whatever the spelling.
bool IsSameFile(const std::string& first, const std::string& second) {
    BY_HANDLE_FILE_INFORMATION infos[2];
    const std::string* paths[2] = {&first, &second};
    for (int i = 0; i < 2; ++i) {
        const UniqueFile file(OwnHandle(CreateFileA(
            paths[i]->c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)));
        if (!file || !GetFileInformationByHandle(ToHandle(file.Get()), &infos[i])) {
            return false;
        }
    }
    return infos[0].dwVolumeSerialNumber == infos[1].dwVolumeSerialNumber &&
           infos[0].nFileIndexHigh == infos[1].nFileIndexHigh &&
           infos[0].nFileIndexLow == infos[1].nFileIndexLow;
}

void RemoveTemporaryFile(const std::string& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

// Moves the finished temporary file over `destination` in one step.
bool MoveOver(const std::string& temporary, const std::string& destination) {
    return MoveFileExA(temporary.c_str(), destination.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 24));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) {
            return false;
        }
        done += written;
    }
    return true;
}

ErrorCode ErrorOr(ErrorCode fallback) {
    const DWORD error = GetLastError();
    return error != ERROR_SUCCESS ? ErrorCodeOf(error) : fallback;
}

}  // namespace

void CloseFileHandle(FileHandle handle) {
    CloseHandle(ToHandle(handle));
}

Result<std::uint64_t> GetFileSize(const UniqueFile& file) {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(ToHandle(file.Get()), &size)) {
        return ErrorOr(ErrorCode::kInvalidHandle);
    }
    return static_cast<std::uint64_t>(size.QuadPart);
}

Result<FileTime> GetLastWriteTime(const UniqueFile& file) {
    FILETIME time;
    if (!GetFileTime(ToHandle(file.Get()), nullptr, nullptr, &time)) {
        return ErrorOr(ErrorCode::kInvalidHandle);
    }
    return FileTimeOf(time);
}

Result<FileSizeAndTime> GetFileSizeAndTime(const UniqueFile& file) {
    // Two calls rather than GetFileInformationByHandle, which under Wine also asks for the
    // file's name and costs several times as much.
    const Result<std::uint64_t> size = GetFileSize(file);
    if (!size) {
        return size.Error();
    }
    const Result<FileTime> lastWrite = GetLastWriteTime(file);
    if (!lastWrite) {
        return lastWrite.Error();
    }
    return FileSizeAndTime{*size, *lastWrite};
}

Result<std::size_t> ReadFromFile(const UniqueFile& file, char* buffer, std::size_t size) {
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    DWORD count = 0;
    if (!ReadFile(ToHandle(file.Get()), buffer, wanted, &count, nullptr)) {
        return ErrorOr(ErrorCode::kGenFailure);
    }
    return static_cast<std::size_t>(count);
}

UniqueFile MachineHost::OpenFileForRead(const std::string& path) {
    return OwnHandle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, 0, nullptr));
}

std::optional<bool> MachineHost::CompareFileBytes(const std::string& /*first*/,
                                                  const std::string& /*second*/) {
    return std::nullopt;  // the files are read by whoever asks
}

Result<FileSizeAndTime> MachineHost::QueryFileSizeAndTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        return ErrorOr(ErrorCode::kFileNotFound);
    }
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return ErrorCode::kAccessDenied;  // as opening a folder for reading fails
    }
    return FileSizeAndTime{
        (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
        FileTimeOf(data.ftLastWriteTime)};
}

ErrorCode MachineHost::CreateOneDirectory(const std::string& path) {
    return CreateDirectoryA(path.c_str(), nullptr) ? ErrorCode::kSuccess
                                                   : ErrorOr(ErrorCode::kGenFailure);
}

ErrorCode MachineHost::CopyFileReplacing(const std::string& source,
                                         const std::string& destination) {
    // Windows refuses a destination longer than its narrow calls take; Wine's MoveFileExA
    // would accept it, although no other call could open, compare or reset that file.
    if (IsTooLongForNarrowCalls(destination)) {
        return ErrorCode::kFilenameExcedRange;
    }
    // CopyFileA refuses a read-only destination; the move below would not.
    if (IsReadOnly(destination)) {
        return ErrorCode::kAccessDenied;
    }
    // A file is never copied onto itself: the move would leave it as it was and call it done.
    if (IsSameFile(source, destination)) {
        return ErrorCode::kSharingViolation;
    }
    const std::string temporary = CreateTemporaryFileIn(FolderOf(destination));
    if (temporary.empty()) {
        return ErrorOr(ErrorCode::kPathNotFound);
    }
    // CopyFileA keeps the source's last-write time and attributes.
    if (!CopyFileA(source.c_str(), temporary.c_str(), FALSE) || !MoveOver(temporary, destination)) {
        const ErrorCode error = ErrorOr(ErrorCode::kGenFailure);
        RemoveTemporaryFile(temporary);
        return error;
    }
    return ErrorCode::kSuccess;
}

Result<std::uint32_t> MachineHost::QueryFileAttributes(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return ErrorOr(ErrorCode::kFileNotFound);
    }
    return static_cast<std::uint32_t>(attributes);
}

void MachineHost::ResetFileAttributes(const std::string& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

ErrorCode MachineHost::ReplaceFileContent(const std::string& path, std::string_view bytes) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
        return ErrorCode::kAccessDenied;  // write-protected, or a folder in the file's place
    }
    const std::string temporary = CreateTemporaryFileIn(FolderOf(path));
    if (temporary.empty()) {
        return ErrorOr(ErrorCode::kPathNotFound);
    }
    UniqueFile file(OwnHandle(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr,
                                          TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
    bool written =
        file && WriteAll(ToHandle(file.Get()), bytes) && FlushFileBuffers(ToHandle(file.Get()));
    ErrorCode error = written ? ErrorCode::kSuccess : ErrorOr(ErrorCode::kGenFailure);
    // Closed here, not by the owner: a close can report a write that did not reach the disk.
    if (file && !CloseHandle(ToHandle(file.Release())) && written) {
        written = false;
        error = ErrorOr(ErrorCode::kGenFailure);
    }
    if (written) {
        // ReplaceFileA keeps the old file's attributes and security; it needs an existing file.
        const bool exists = GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
        const bool replaced =
            (exists && ReplaceFileA(path.c_str(), temporary.c_str(), nullptr,
                                    REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) ||
            MoveOver(temporary, path);
        if (replaced) {
            return ErrorCode::kSuccess;
        }
        error = ErrorOr(ErrorCode::kGenFailure);
    }
    RemoveTemporaryFile(temporary);
    return error;
}

Result<UniqueFile> MachineHost::LockFileExclusively(const std::string& path) {
    // Every sharing mode: the lock, not the open, keeps the other runs out, and a run waiting
    // for it must be able to open the file meanwhile.
    UniqueFile file(OwnHandle(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)));
    if (!file) {
        return ErrorOr(ErrorCode::kGenFailure);
    }
    OVERLAPPED start{};
    if (!LockFileEx(ToHandle(file.Get()), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1,
                    0, &start)) {
        return ErrorOr(ErrorCode::kLockViolation);
    }
    return file;
}

std::uint32_t ExecutablePath(char* buffer, std::uint32_t size) {
    return GetModuleFileNameA(nullptr, buffer, size);
}

}  // namespace quorvel::platform
