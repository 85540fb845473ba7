// One answer a line from standard input, which may be a pipe or a file without any line end
// (quorvel < /dev/zero): a line is read whole, but only its start is kept, so that memory
// stays bounded whatever the input holds.
#pragma once

#include <cstddef>
#include <istream>
#include <string>

namespace quorvel::app::terminal {

// The longest answer kept; no answer of the terminal front end needs more than a few
// characters.
inline constexpr std::size_t kAnswerLimit = 4096;

// Reads up to the next line feed or the end of the input, as std::getline does, and keeps the
// first `limit` characters of the line in `line`, without the line feed; the rest is read and
// dropped. False, with the stream's end and failed flags set, when the input has ended before
// any character; a last line without a line feed is a line.
bool ReadBoundedLine(std::istream& in, std::string& line, std::size_t limit = kAnswerLimit);

}  // namespace quorvel::app::terminal
