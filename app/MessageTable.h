// Numbers and texts of the program's messages.
#pragma once

#include <string>
#include <string_view>

namespace quorvel::app {

inline constexpr unsigned kMessageAboutEntry = 101;
inline constexpr unsigned kMessageNotInstalled = 102;
inline constexpr unsigned kMessageInstallFailed = 103;
inline constexpr unsigned kMessageInstallSucceeded = 104;
inline constexpr unsigned kMessageCopyFailed = 105;
inline constexpr unsigned kMessageTargetNewer = 106;

// The text of message `id` in UTF-8, as the table holds it; empty when there is none.
std::string_view MessageUtf8(unsigned id);

// The text of message `id` as narrow Windows-1252 text; empty when there is none.
std::string MessageText(unsigned id);

}  // namespace quorvel::app
