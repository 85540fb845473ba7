// An open file of the installer and the calls made on it, shaped like the Win32 calls. The
// calls that take a path are the host's (platform/Host.h).
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/ErrorCode.h"
#include "platform/UniqueHandle.h"

namespace quorvel::platform {

// A file handle as CreateFileA returns it; kInvalidFileHandle (all bits set) when none.
using FileHandle = std::intptr_t;
inline constexpr FileHandle kInvalidFileHandle = -1;

// CloseHandle.
void CloseFileHandle(FileHandle handle);

using UniqueFile = UniqueHandle<FileHandle, &CloseFileHandle, kInvalidFileHandle>;

// File attributes, with the values of the Win32 constants.
inline constexpr std::uint32_t kFileAttributeReadOnly = 0x01;   // FILE_ATTRIBUTE_READONLY
inline constexpr std::uint32_t kFileAttributeDirectory = 0x10;  // FILE_ATTRIBUTE_DIRECTORY
inline constexpr std::uint32_t kFileAttributeArchive = 0x20;    // FILE_ATTRIBUTE_ARCHIVE

// A last-write time: 100-nanosecond intervals since 1601-01-01 (FILETIME as one number).
using FileTime = std::uint64_t;

// GetFileTime for the last-write time only.
Result<FileTime> GetLastWriteTime(const UniqueFile& file);

// The size and the last-write time together: one call where the host has one.
struct FileSizeAndTime {
    std::uint64_t size = 0;
    FileTime lastWrite = 0;
};
Result<FileSizeAndTime> GetFileSizeAndTime(const UniqueFile& file);

// GetFileSizeEx: the file's size in bytes.
Result<std::uint64_t> GetFileSize(const UniqueFile& file);

// ReadFile: up to `size` bytes; 0 at the end of the file.
Result<std::size_t> ReadFromFile(const UniqueFile& file, char* buffer, std::size_t size);

}  // namespace quorvel::platform
