// The machine the program runs on: Windows' own calls, or on Linux Wine's behaviour emulated
// against the Wine prefix that WINEPREFIX names (default ~/.wine).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "platform/Host.h"

namespace quorvel::platform {

namespace posix {
class FolderCache;
class TemporaryFile;
struct ReplaceTarget;
enum class TemporaryNaming;
}  // namespace posix

// A file as fstat saw it: what changes with any change of its bytes.
struct SeenFile {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modified = 0;  // nanoseconds
    std::int64_t changed = 0;   // nanoseconds, set by the system at every change
    bool operator==(const SeenFile&) const = default;
};

// Two files found to hold the same bytes, by their paths as given and as they were then.
struct SameBytesSeen {
    std::string first;
    std::string second;
    SeenFile firstFile;
    SeenFile secondFile;
};

class MachineHost : public Host {
public:
    MachineHost() = default;

    UniqueFile OpenFileForRead(const std::string& path) override;
    Result<FileSizeAndTime> QueryFileSizeAndTime(const std::string& path) override;
    ErrorCode CreateOneDirectory(const std::string& path) override;
    ErrorCode CopyFileReplacing(const std::string& source, const std::string& destination) override;
    const CopiedFile* LastCopiedFile() const override {
        return lastCopyKept_ ? &lastCopy_ : nullptr;
    }
    std::optional<bool> CompareFileBytes(const std::string& first,
                                         const std::string& second) override;
    Result<std::uint32_t> QueryFileAttributes(const std::string& path) override;
    void ResetFileAttributes(const std::string& path) override;
    ErrorCode ReplaceFileContent(const std::string& path, std::string_view bytes) override;
    Result<UniqueFile> LockFileExclusively(const std::string& path) override;
    // The executable's own path, or, once SetInstallerPath was called, that path.
    std::uint32_t ModuleFileName(char* buffer, std::uint32_t size) override;

    // Makes the installer run as if it were the file `windowsPath` (a Windows path): the Linux
    // program installed elsewhere is pointed at the package folder it installs.
    void SetInstallerPath(std::string windowsPath) { installerPath_ = std::move(windowsPath); }

private:
    // On the Linux host: removes, once a run, the temporary files a killed run left in a host
    // folder this host writes to.
    void ClearLeftOversOnce(const std::string& hostFolder);
    // On the Linux host: how a file that creates its destination is made, asked once a run.
    posix::TemporaryNaming NamingOfNewFiles();
    // On the Linux host: the file in which new content for `target` is written before it
    // takes the target's name.
    posix::TemporaryFile NewContentFor(const posix::ReplaceTarget& target);
    // On the Linux host: what this host has learnt of the folders it looked in and wrote to.
    posix::FolderCache& Folders();

    std::optional<std::string> installerPath_;
    std::set<std::string> clearedFolders_;      // host folders ClearLeftOversOnce has seen
    std::optional<bool> unnamedFilesLinkable_;  // once NamingOfNewFiles has asked
    std::optional<bool> unnamedFilesLinkedByDescriptor_;  // learnt at the run's first one
    std::shared_ptr<posix::FolderCache> folders_;         // made at the first use, on Linux only
    // On the Linux host: the path CopyFileReplacing last gave a file its owner may write, which
    // ResetFileAttributes then need not look at again.
    std::optional<std::string> writableCopy_;
    // On the Linux host: the small file the last copy wrote from memory; its buffer is kept
    // for the next one.
    CopiedFile lastCopy_;
    bool lastCopyKept_ = false;
    std::unique_ptr<char[]> copyBuffer_;  // made at the first copy through memory
    // On the Linux host: what the last CompareFileBytes found equal, for the copy after it.
    std::optional<SameBytesSeen> sameBytes_;
};

// GetModuleFileNameA(NULL, ...) of the running executable itself, as MachineHost gives it.
std::uint32_t ExecutablePath(char* buffer, std::uint32_t size);

}  // namespace quorvel::platform
