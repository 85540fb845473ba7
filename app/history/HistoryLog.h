// The text of an install's history (Protokoll.txt): one record per line, fields separated by
// tabs, each line closed by a checksum of its text, so that a reader knows a line the writer
// finished from one a kill or a loss of power cut off. docs/history.md describes the format.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::app::history {

inline constexpr std::string_view kLogName = "Protokoll.txt";
inline constexpr std::string_view kFormatName = "quorvel-verlauf";
inline constexpr std::string_view kFormatVersion = "1";

using Record = std::vector<std::string>;  // the kind first, then its fields

// One line: every field with '%', tab, line feed, carriage return and the other control bytes
// written as %XX, then a tab and the line's checksum (8 hex digits), then a line feed.
std::string RecordLine(const Record& record);

struct ReadLog {
    std::vector<Record> records;
    bool cutOff = false;  // a line was not finished: it is left out
};

// The records of a log's text. A line that is not finished, or whose checksum does not match,
// is left out (an undo may have written records after a line a kill cut off).
ReadLog ReadRecords(std::string_view text);

}  // namespace quorvel::app::history
