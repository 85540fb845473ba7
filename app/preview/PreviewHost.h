// The machine as a run would leave it, without writing anything: every read goes to the real
// machine, every write is only remembered, so that later reads of the same run see it. A
// copied file reads as its source (same bytes, same time), a created folder exists, a reset
// file is no longer write-protected, the saved catalogue's bytes are kept for the caller.
//
// Each write answers as the machine would answer it, from what is there: a copy fails without a
// readable source, into a folder that is not there, onto a folder or a write-protected file, onto
// its own source, and for a path longer than the narrow calls take.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "platform/Host.h"

namespace quorvel::app::preview {

// Why a write would fail.
enum class WriteRefusal {
    kNone,
    kSourceMissing,      // the source cannot be opened for reading
    kPathTooLong,        // more than the narrow calls take
    kInvalidName,        // a file named as a folder
    kDestinationFolder,  // a folder stands where the file goes
    kWriteProtected,     // the file there is write-protected
    kFolderMissing,      // the folder that would hold it is not there
    kSameFile,           // a file copied onto itself
    kNothingToLock,      // neither the lock file nor the file it guards is there
};

class PreviewHost : public platform::Host {
public:
    explicit PreviewHost(platform::Host& machine) : machine_(machine) {}

    platform::UniqueFile OpenFileForRead(const std::string& path) override;
    platform::ErrorCode CreateOneDirectory(const std::string& path) override;
    platform::ErrorCode CopyFileReplacing(const std::string& source,
                                          const std::string& destination) override;
    platform::Result<std::uint32_t> QueryFileAttributes(const std::string& path) override;
    void ResetFileAttributes(const std::string& path) override;
    platform::ErrorCode ReplaceFileContent(const std::string& path,
                                           std::string_view bytes) override;
    // No lock is taken: the lock file, or else the file it guards, opened for reading, stands
    // in for one; an error when neither is there.
    platform::Result<platform::UniqueFile> LockFileExclusively(const std::string& path) override;
    std::uint32_t ModuleFileName(char* buffer, std::uint32_t size) override;

    // Why the last write that would have failed fails, and how many have failed so far.
    WriteRefusal LastRefusal() const { return lastRefusal_; }
    std::size_t Refusals() const { return refusals_; }
    // The bytes the run saved last with ReplaceFileContent, when it did.
    const std::optional<std::string>& SavedContent() const { return savedContent_; }

private:
    // What a path is after the writes so far; nullopt: as the machine has it.
    struct Written {
        std::optional<std::string> copiedFrom;  // a file: the copy of this source
        bool folder = false;                    // a folder created
        bool reset = false;                     // write protection taken away
    };
    const Written* Find(const std::string& path) const;
    Written& Remember(const std::string& path);
    bool IsFolder(const std::string& path);
    platform::ErrorCode Fail(platform::ErrorCode error, WriteRefusal why);
    // kSuccess when a file could be written at `path`: no folder or write-protected file is
    // there, and its folder is.
    platform::ErrorCode RefuseFileAt(const std::string& path);

    platform::Host& machine_;
    std::map<std::string, Written> written_;  // by the path's key (PathKey)
    WriteRefusal lastRefusal_ = WriteRefusal::kNone;
    std::size_t refusals_ = 0;
    std::optional<std::string> savedContent_;
};

// One spelling for all spellings of a Windows path: "/" as "\", repeated separators as one,
// "." and ".." taken out, letters in upper case, as Windows compares names.
std::string PathKey(std::string_view path);

}  // namespace quorvel::app::preview
