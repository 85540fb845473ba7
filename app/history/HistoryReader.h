// The installs of a Trassimo's history, read back in the order they ran.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/history/HistoryLog.h"
#include "platform/Host.h"

namespace quorvel::app::history {

struct RecordedInstall {
    std::string folder;  // the install's folder (a Windows path)
    std::vector<Record> records;
    std::uint64_t start = 0;  // FILETIME, UTC
    std::string package;
    bool cutOff = false;  // killed or stopped before its end: the last record is missing
    bool undone = false;
    bool forgotten = false;  // its back-ups were deleted
    std::size_t created = 0;
    std::size_t replaced = 0;
    std::size_t kept = 0;
    std::size_t failed = 0;
    std::size_t textures = 0;
    std::uint64_t backupBytes = 0;
};

// Every install recorded below Trassimo's folder `target` (with its trailing backslash), the
// oldest first; a folder without a readable log is left out.
std::vector<RecordedInstall> ReadHistory(platform::Host& host, const std::string& target);

// Appends `record` to the log of the install in `folder` and flushes it, after a line a kill
// cut off if there is one; false when it cannot be written.
bool AppendToLog(platform::Host& host, const std::string& folder, const Record& record);

// The field `index` of `record` as a number; 0 when it is none.
std::uint64_t NumberField(const Record& record, std::size_t index);
// The field `index`, or "" when the record is shorter.
const std::string& Field(const Record& record, std::size_t index);

}  // namespace quorvel::app::history
