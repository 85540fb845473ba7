// Conversion between Windows-1252, the narrow text of the installer, and UTF-8, the text of
// Linux file names and terminals. Used only at the host's edge.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvel::platform {

// Each byte as its UTF-8 character. The five bytes 1252 leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) map to the C1 controls of the same value, as Windows' own conversion does.
std::string Cp1252ToUtf8(std::string_view text);

// The Windows-1252 text of `text`, or nothing when it is not valid UTF-8 or holds a character
// that 1252 cannot represent.
std::optional<std::string> Utf8ToCp1252(std::string_view text);

// The Unicode code point of one Windows-1252 byte.
char32_t Cp1252ToCodePoint(unsigned char byte);

// The Windows-1252 byte of a code point, or nothing when 1252 has none.
std::optional<unsigned char> CodePointToCp1252(char32_t codePoint);

// Upper case as Windows compares file and key names in the 1252 code page.
unsigned char Cp1252ToUpper(unsigned char byte);

// True when the UTF-8 name `utf8` is the 1252 name `cp1252` but for case; false also when
// `utf8` is not valid UTF-8 or holds a character 1252 lacks. Stops at the first difference
// and allocates nothing, for scanning large folders.
bool Utf8MatchesCp1252IgnoringCase(std::string_view utf8, std::string_view cp1252);

// The 1252 upper case of a 1252 name, and of a UTF-8 name (nothing when it is not valid UTF-8
// or holds a character 1252 lacks): two names match as above exactly when these are equal.
std::string Cp1252UpperCase(std::string_view cp1252);
std::optional<std::string> Cp1252UpperCaseOfUtf8(std::string_view utf8);

}  // namespace quorvel::platform
