// Where a Windows path of the installer lies on Linux, found as Wine finds it: the drive letter
// through the prefix's dosdevices links, every name matched against what exists without
// regard to case (the exact name first, else the first entry whose name is equal in 1252 upper
// case), names converted from Windows-1252 to UTF-8 only here, at the file system's edge.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/ErrorCode.h"
#include "platform/posix/UniqueFd.h"

namespace quorvel::platform::posix {

class FolderCache;

struct PathContext {
    std::string prefix;            // the Wine prefix folder
    std::string currentDirectory;  // absolute host path; counts as a path on drive Z:
};

// WINEPREFIX (or ~/.wine) and the process's current directory. The calls without a context
// read the current directory only for the paths that start there.
PathContext CurrentPathContext();

struct HostPath {
    std::string folder;   // host path of the folder that holds the last name
    std::string name;     // UTF-8: the existing entry's own name, else the name as given;
                          // empty when the path names a drive root or a starting directory
    bool exists = false;  // the path names an existing entry
    bool trailingSeparator = false;  // the Windows path ended with a separator
    struct stat status {};           // the entry's own (lstat) where it was found by the name as
                                     // given, else all 0

    // The host path of the entry.
    std::string Full() const;
};

struct HostPathResult {
    ErrorCode error = ErrorCode::kSuccess;  // kSuccess when `path` holds the result
    HostPath path;
};

// Maps a narrow (1252) Windows path of at most 260 characters (else ERROR_FILENAME_EXCED_RANGE,
// 206, as the narrow calls of Windows and Wine). The last name need not exist; every folder
// above it must (else ERROR_PATH_NOT_FOUND, 3), and so must the drive: a drive letter is a link
// <prefix>/dosdevices/<letter>: and, with no such link, Z: is / and C: is <prefix>/drive_c.
HostPathResult ResolveHostPath(std::string_view windowsPath, const PathContext& context);
HostPathResult ResolveHostPath(std::string_view windowsPath);
// The same, with what the run's cache knows of the folders: the same result while no other
// program changes them, and what exists is found also when one does.
HostPathResult ResolveHostPath(std::string_view windowsPath, const PathContext& context,
                               FolderCache& cache);
HostPathResult ResolveHostPath(std::string_view windowsPath, FolderCache& cache);
// The same; where the last name is not there as given, `folder` receives its folder opened
// (O_PATH), where it could be opened, for the rest of the call to work in without walking its
// path again. Not to be kept beyond the call: the run looks at each folder anew each time.
HostPathResult ResolveHostPath(std::string_view windowsPath, FolderCache& cache, UniqueFd* folder);

// The entry that ResolveHostPath finds for the path, opened with open(2)'s `flags`: an entry
// named exactly as given costs the one open. ERROR_FILE_NOT_FOUND where there is none (or the
// path ends with a separator), the Win32 error of the open where it fails.
Result<UniqueFd> OpenExistingEntry(std::string_view windowsPath, int flags, FolderCache& cache);

// The host folder of a drive letter ('a' to 'z'), as above; nothing for an unknown drive.
std::optional<std::string> DriveRoot(const std::string& prefix, char drive);

// The UTF-8 name of the entry of `folder` that the 1252 name `name` means, or nothing.
std::optional<std::string> FindEntryIgnoringCase(const std::string& folder, std::string_view name);

// `folder` + "/" + `name`, with no doubled slash after "/".
std::string JoinHostPath(const std::string& folder, std::string_view name);

}  // namespace quorvel::platform::posix
