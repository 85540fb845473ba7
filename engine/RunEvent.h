// What one install run decides, in engine terms, for those who watch it: the preview that tells
// what a run would do, the history that records what it did. Paths are the Windows paths of the
// run, as its messages show them; times are last-write times (FILETIME counts).
//
// The events named "...ing" come before the change they describe, so that an observer can keep
// what is about to change (write-ahead); the others come after.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "catalogue/TextureCatalogue.h"
#include "platform/Files.h"

namespace quorvel {

// One entry of the file section as the run handles it.
struct FileEntryPaths {
    std::size_t line = 0;     // line of InstSkript.txt where the entry begins
    std::string source;       // the package folder + "\" + the source part
    std::string destination;  // Trassimo's folder + the destination part
};

namespace run {

// An entry without ">>": passed over without a message.
struct EntryPassedOver {
    std::string_view section;
    std::size_t line = 0;
    std::string entry;
};

// A destination outside Trassimo's folder: nothing is written, message 105 follows.
struct DestinationRefused {
    FileEntryPaths entry;
};

// The destination is newer than the package's file, and the user was asked.
struct NewerTargetAsked {
    FileEntryPaths entry;
    platform::FileTime destinationTime = 0;
    std::optional<platform::FileTime> sourceTime;  // none when the source could not be read
    bool kept = false;                             // the answer: keep the existing file
};

// A folder is about to be created, and was created.
struct FolderCreating {
    std::string folder;
};
struct FolderCreated {
    std::string folder;
};

// The package's file is about to be copied over the destination (or to a new one).
struct FileCopying {
    FileEntryPaths entry;
    bool destinationExists = false;                     // an existing file could be opened
    std::optional<platform::FileTime> destinationTime;  // of that file
    std::optional<platform::FileTime> sourceTime;
};

// The copy succeeded: the destination is the package's file now.
struct FileCopied {
    FileEntryPaths entry;
    bool replaced = false;  // a file was there before
    std::optional<platform::FileTime> destinationTime;
    std::optional<platform::FileTime> sourceTime;
};

// The copy failed, or the destination's folder was not available: message 105 follows.
struct CopyFailed {
    FileEntryPaths entry;
};

// The destination's attributes are about to be reset to normal, after a copy attempt.
struct AttributesResetting {
    std::string destination;
};

// The lock on the catalogue (engine/CatalogueLock.h) was taken, or not (`error`); `waited`:
// another run held it first.
struct CatalogueLocked {
    std::string lockPath;
    platform::ErrorCode error = platform::ErrorCode::kSuccess;
    bool waited = false;
};

// The catalogue was read; `text` is its normalised form (valid during the call only).
struct CatalogueLoaded {
    std::string path;
    std::string_view text;
};

// One texture entry merged into the catalogue in memory: where its definition went (kNoPlace:
// nowhere, and the texture stage fails), the block it replaced or removed and the definition as
// it went in.
struct TextureMerged {
    std::size_t line = 0;
    std::int32_t id = 0;
    catalogue::MergeResult result;
};

// The catalogue is about to be written with `fileBytes` (valid during the call only), and was
// written, or not.
struct CatalogueSaving {
    std::string path;
    std::string_view fileBytes;
};
struct CatalogueSaved {
    std::string path;
    bool saved = false;
};

}  // namespace run

using RunEvent = std::variant<run::EntryPassedOver, run::DestinationRefused, run::NewerTargetAsked,
                              run::FolderCreating, run::FolderCreated, run::FileCopying,
                              run::FileCopied, run::CopyFailed, run::AttributesResetting,
                              run::CatalogueLocked, run::CatalogueLoaded, run::TextureMerged,
                              run::CatalogueSaving, run::CatalogueSaved>;

}  // namespace quorvel
