// File-system calls of the installer, shaped like the Win32 calls it makes. Paths are Windows
// paths in narrow Windows-1252 text on every host.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace quorvel::platform {

// A file handle as CreateFileA returns it; kInvalidFileHandle (all bits set) when none.
using FileHandle = std::intptr_t;
inline constexpr FileHandle kInvalidFileHandle = -1;

// Win32 error codes the file calls report.
inline constexpr std::uint32_t kNoError = 0;
inline constexpr std::uint32_t kErrorPathNotFound = 3;
inline constexpr std::uint32_t kErrorAccessDeniedCode = 5;
inline constexpr std::uint32_t kErrorDiskFull = 112;
inline constexpr std::uint32_t kErrorAlreadyExists = 183;
inline constexpr std::uint32_t kErrorGeneric = 31;  // ERROR_GEN_FAILURE

// A last-write time: 100-nanosecond intervals since 1601-01-01 (FILETIME as one number).
using FileTime = std::uint64_t;

// CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING): an existing file opened
// for reading while others may only read it; kInvalidFileHandle when that is not possible.
FileHandle OpenFileForRead(const std::string& path);

// GetFileTime for the last-write time only; false on failure.
bool GetLastWriteTime(FileHandle handle, FileTime* lastWrite);

// ReadFile: reads up to `size` bytes; returns the count read (0 at the end of the file), or -1.
std::ptrdiff_t ReadFromFile(FileHandle handle, char* buffer, std::size_t size);

// CloseHandle.
bool CloseFile(FileHandle handle);

// CreateDirectoryA: creates one directory whose parent exists. Returns kNoError on success,
// kErrorAlreadyExists when the name exists already, or another Win32 error code.
std::uint32_t CreateOneDirectory(const std::string& path);

// CopyFileA(source, destination, FALSE): copies the file, replacing an existing destination.
// The destination is never left half-written: either the old file or the whole new one.
bool CopyFileReplacing(const std::string& source, const std::string& destination);

// SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL); the result is not reported.
void ResetFileAttributes(const std::string& path);

// Replaces the whole content of `path` with `bytes` in one step: the new content is written to
// a temporary file beside it, flushed to disk and moved over the old file, which keeps its
// attributes. A read-only file is refused. On any failure the old file stays as it was and no
// temporary file remains. Returns kNoError or a Win32 error code.
std::uint32_t ReplaceFileContent(const std::string& path, const std::string& bytes);

// GetModuleFileNameA(NULL, buffer, size): the running executable's full path. Returns the
// length copied; when the path does not fit, the text is cut and `size` is returned.
std::uint32_t ExecutablePath(char* buffer, std::uint32_t size);

}  // namespace quorvel::platform
