// UTF-8, the text of Linux file names, terminals and hand-edited files, one character at a time.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel::platform {

// Decodes the character at `text[*index]` and advances the index past it; nothing, with the
// index unchanged, for a byte that starts no valid UTF-8 sequence (overlong forms, surrogates
// and code points beyond U+10FFFF included).
std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t* index);

// Appends `codePoint` (at most U+10FFFF) in UTF-8.
void AppendUtf8(std::string& out, char32_t codePoint);

}  // namespace quorvel::platform
