// A Windows path as text: where it starts (a drive's root, the current directory, ...) and its
// names after the normalisation Windows applies to every full path (GetFullPathName): both
// separators, repeated separators, "." and ".." resolved as text, never above the root, and the
// dots and spaces Windows strips from the ends of names. Pure text: nothing is looked up.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ErrorCode.h"

namespace quorvel::platform::posix {

enum class PathStart {
    kDriveRoot,         // C:\Sim
    kDriveCurrent,      // C:Sim: the current directory of drive C
    kCurrentDriveRoot,  // \Sim: the root of the current drive
    kCurrentDirectory,  // Sim
};

struct WindowsPath {
    PathStart start = PathStart::kCurrentDirectory;
    char drive = 0;  // 'a' to 'z' for the two drive starts
    // ".." steps left over that climb out of the starting directory: only the two starts
    // that are not a root have any.
    std::size_t parentSteps = 0;
    std::vector<std::string> names;  // Windows-1252; never empty, ".", ".." or with a separator
    bool trailingSeparator = false;  // the path ends with a separator (names a directory)
};

struct WindowsPathResult {
    ErrorCode error = ErrorCode::kSuccess;  // kSuccess when `path` holds the result
    WindowsPath path;
};

// Reads a narrow (1252) path. Fails with ERROR_PATH_NOT_FOUND (3) for an empty path and for the
// forms the host does not map (\\server\share, \\?\ and \\.\ device paths), with
// ERROR_INVALID_NAME (123) for a name holding a character Windows forbids in file names
// (< > : " | ? * and the controls) or a name that only normalisation turned into "..".
WindowsPathResult ParseWindowsPath(std::string_view path);

}  // namespace quorvel::platform::posix
