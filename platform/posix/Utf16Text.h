// Conversions of the registry's UTF-16 text: to and from Windows-1252, the installer's narrow
// text, and out of the little-endian bytes in which string values are stored.
#pragma once

#include <string>
#include <string_view>

namespace quorvel::platform::posix {

// Each byte as its UTF-16 code unit (1252 lies wholly in the Basic Multilingual Plane).
std::u16string Cp1252ToUtf16(std::string_view text);

// Each code unit as its Windows-1252 byte, '?' for a unit that 1252 cannot represent (each
// half of a surrogate pair too), as the registry's narrow calls convert.
std::string Utf16ToCp1252(std::u16string_view text);

// The code units of little-endian bytes; a last odd byte is no unit and is dropped.
std::u16string Utf16FromLittleEndian(std::string_view bytes);
std::string Utf16ToLittleEndian(std::u16string_view text);

// A code unit as the registry compares names: the 1252 upper case of a unit that 1252 holds,
// any other unit unchanged.
char16_t FoldRegistryUnit(char16_t unit);
bool RegistryNamesEqual(std::u16string_view a, std::u16string_view b);

}  // namespace quorvel::platform::posix
