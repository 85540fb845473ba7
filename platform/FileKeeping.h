// What the install history does with files beyond the installer's own calls (Host): a second
// name for a file that is about to be replaced, a log that grows record by record, and the
// calls that undo an install. Paths are Windows paths in Windows-1252, as everywhere.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ErrorCode.h"
#include "platform/Files.h"

namespace quorvel::platform {

// CreateHardLinkA(link, existing): `link` names the file `existing` names; an error where the
// file system has no such links (then the caller copies).
ErrorCode LinkFile(const std::string& existing, const std::string& link);

// The same for a name this program gives a new file in `folder`: taken exactly as written,
// without looking for an entry that differs in case (which costs a read of the whole folder).
ErrorCode LinkFileAs(const std::string& existing, const std::string& folder, std::string_view name);

// DeleteFileA: removes a file (also a write-protected one's name, as its folder allows).
ErrorCode DeleteOneFile(const std::string& path);

// DeleteFileA of a name this program gave a file in `folder`, taken exactly as written;
// kFileNotFound when there is none.
ErrorCode DeleteOneFileAs(const std::string& folder, std::string_view name);

// RemoveDirectoryA: removes an empty folder; an error when anything is in it.
ErrorCode RemoveEmptyFolder(const std::string& path);

// MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) within one drive:
// `to` names the file `from` named, in one step; the old `to` is gone.
ErrorCode MoveReplacing(const std::string& from, const std::string& to);

// SetFileAttributesA(path, attributes) for the read-only attribute: on Linux, the owner's
// write permission taken away or given back.
ErrorCode SetReadOnly(const std::string& path, bool readOnly);

// Removes the temporary files that killed runs left in `folder` (on Linux: .quorvel-*.tmp that no
// living run holds and nobody touched for 2 s); Windows' own left-overs stay. The number removed.
std::size_t RemoveLeftOvers(const std::string& folder);

// The names in a folder ("." and ".." left out), in no particular order; nothing when it cannot
// be read.
std::optional<std::vector<std::string>> FolderNames(const std::string& folder);

// A file that grows at its end only, created when it is not there.
class AppendOnlyFile {
public:
    AppendOnlyFile() = default;
    ~AppendOnlyFile();
    AppendOnlyFile(const AppendOnlyFile&) = delete;
    AppendOnlyFile& operator=(const AppendOnlyFile&) = delete;

    ErrorCode Open(const std::string& path);
    bool IsOpen() const;
    // Writes `bytes` at the end in one call: once it returns, a kill of the process cannot
    // lose them.
    ErrorCode Append(std::string_view bytes);
    // Makes everything appended so far last through a loss of power.
    ErrorCode Flush();

private:
    std::intptr_t handle_ = -1;
};

}  // namespace quorvel::platform
