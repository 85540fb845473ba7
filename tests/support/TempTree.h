// A temporary folder for tests on real files. Tests name its files by Windows paths, the
// installer's language on every host; the helpers reach them through the host's own calls.
#pragma once

#include <cstdint>
#include <string>

namespace quorvel::test {

class TempTree {
public:
    TempTree();
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    // The Windows path of the folder (no trailing backslash), or of a file or folder below it
    // given relative with backslashes, in Windows-1252.
    std::string Root() const { return root_; }
    std::string Path(const std::string& relative) const { return root_ + "\\" + relative; }

    // The host's own path of a Windows path below the folder (UTF-8 on Linux).
    std::string HostPath(const std::string& relative) const;

    // Writes a file, creating the folders above it.
    void WriteFile(const std::string& relative, const std::string& bytes) const;
    std::string ReadFile(const std::string& relative) const;
    bool Exists(const std::string& relative) const;
    bool IsDirectory(const std::string& relative) const;
    void MakeDirectory(const std::string& relative) const;

    // Read-only as the installer's host sees it: the read-only attribute on Windows, no write
    // permission on Linux.
    void SetReadOnly(const std::string& relative, bool readOnly) const;
    bool IsReadOnly(const std::string& relative) const;

    // The last-write time as a FILETIME count (100 ns since 1601).
    void SetLastWriteTime(const std::string& relative, std::uint64_t fileTime) const;
    std::uint64_t LastWriteTime(const std::string& relative) const;

    // Names of the entries of a folder, sorted, as the host shows them (UTF-8 on Linux).
    std::string ListHostNames(const std::string& relative) const;

private:
    std::string root_;      // Windows path
    std::string hostRoot_;  // host path
};

// A FILETIME count for a date, for readable tests: 2024-01-01 00:00:00 plus `seconds`.
std::uint64_t FileTimeAt(std::int64_t seconds);

}  // namespace quorvel::test
