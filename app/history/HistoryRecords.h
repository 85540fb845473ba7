// The kinds of record in an install's history and the fields of each, in order (docs/history.md).
#pragma once

#include <chrono>
#include <cstdint>
#include <string_view>

#include "catalogue/TextureCatalogue.h"
#include "platform/Files.h"

namespace quorvel::app::history {

// install, start (FILETIME, UTC), package folder, Trassimo's folder
inline constexpr std::string_view kInstallRecord = "install";
// folder, path: about to be created; it was not there
inline constexpr std::string_view kFolderRecord = "folder";
// create, destination, source time: a new file is about to be copied
inline constexpr std::string_view kCreateRecord = "create";
// replace, destination, back-up name, old size, old time, old attributes, source time: the file
// is kept under the back-up name and about to be replaced (its attributes are reset after the
// copy, also when the copy fails)
inline constexpr std::string_view kReplaceRecord = "replace";
// copied, destination, size, time, hash: what the copy left there
inline constexpr std::string_view kCopiedRecord = "copied";
// same, destination: the file held the package's bytes and time already and is not
// write-protected, so the copy changes nothing and nothing is kept
inline constexpr std::string_view kSameRecord = "same";
inline constexpr std::string_view kFailedRecord = "failed";    // failed, destination
inline constexpr std::string_view kKeptRecord = "kept";        // kept, destination
inline constexpr std::string_view kRefusedRecord = "refused";  // refused, destination
// texture, line, id, action, old block, new block
inline constexpr std::string_view kTextureRecord = "texture";
// catalogue, path, back-up name, old size, old time, old hash, name of the new bytes, new size,
// new hash: kept and about to be saved
inline constexpr std::string_view kCatalogueRecord = "catalogue";
inline constexpr std::string_view kCatalogueSavedRecord = "catalogue-saved";  // 1 or 0
inline constexpr std::string_view kEndRecord = "end";                         // ok or fail
// undone, time, number of things left as they were
inline constexpr std::string_view kUndoneRecord = "undone";
// forgotten, time: the back-ups were deleted
inline constexpr std::string_view kForgottenRecord = "forgotten";

inline std::string_view MergeActionName(catalogue::MergeAction action) {
    switch (action) {
        case catalogue::MergeAction::kReplaced:
            return "replaced";
        case catalogue::MergeAction::kInserted:
            return "inserted";
        case catalogue::MergeAction::kAppended:
            return "appended";
        case catalogue::MergeAction::kRemoved:
            return "removed";
        case catalogue::MergeAction::kPassedOver:
            return "passed-over";
        case catalogue::MergeAction::kNoPlace:
            break;
    }
    return "no-place";
}

// A time of the system clock as a FILETIME count (100 ns since 1601, UTC).
inline std::uint64_t FileTimeOf(std::chrono::system_clock::time_point time) {
    constexpr std::int64_t kTicksFrom1601To1970 = 116444736000000000;
    const auto ticks =
        std::chrono::duration_cast<std::chrono::duration<std::int64_t, std::ratio<1, 10000000>>>(
            time.time_since_epoch())
            .count();
    return static_cast<std::uint64_t>(ticks + kTicksFrom1601To1970);
}

}  // namespace quorvel::app::history
