// What of a text may reach the terminal. Message texts carry parts taken from a package (the
// file names of its install script) and folder names carry whatever bytes their makers chose;
// a terminal obeys the control characters among them: ESC starts sequences that clear the
// screen, retitle the window or fill the clipboard (OSC 52), BEL rings. Shown as '?' they do
// nothing.
#pragma once

#include <string>
#include <string_view>

namespace quorvel::app {

// `utf8` with every control character replaced by '?': the C0 controls but the line feed, DEL,
// and the C1 controls U+0080 to U+009F (C2 80 to C2 9F; Cp1252ToUtf8 gives them for the five
// bytes Windows-1252 leaves undefined). A tab becomes a space: it does no harm, yet it would
// move the text to a column of the terminal's choosing. A byte that starts no valid UTF-8
// sequence becomes '?' as well, since some terminals read a lone byte 0x80 to 0x9F as a C1
// control. Every other character stays as it is.
std::string VisibleText(std::string_view utf8);

}  // namespace quorvel::app
