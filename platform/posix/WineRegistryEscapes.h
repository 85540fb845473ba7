// The escaped text of Wine's registry files: key paths, value names, string data and class
// names, written between quotes (or brackets) with C-style escapes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvel::platform::posix {

bool IsHexDigit(char c);
unsigned HexValue(char hexDigit);

// Reads escaped text up to the unescaped `terminator`, which is consumed too. Escapes are the C
// letters (\n, \t, ...), \x with 1 to 4 hex digits (one UTF-16 code unit), 1 to 3 octal digits,
// and a backslash before any other character for that character. Nothing when the text ends
// before the terminator.
std::optional<std::u16string> ConsumeEscapedText(std::string_view* text, char terminator);

}  // namespace quorvel::platform::posix
