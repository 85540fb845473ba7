// The catalogue is a file of a Windows program: its lines end in CR LF whichever host writes it.
#pragma once

#include <string>
#include <string_view>

namespace quorvel::catalogue {

// `text` with every newline written as CR LF; every other byte unchanged.
std::string WithWindowsLineEnds(std::string_view text);
// Writes the same to `out`, which has room for it; returns the end of what was written.
char* AppendWithWindowsLineEnds(std::string_view text, char* out);

}  // namespace quorvel::catalogue
