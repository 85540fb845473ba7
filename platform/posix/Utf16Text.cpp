#include "platform/posix/Utf16Text.h"

#include <algorithm>

#include "platform/Cp1252.h"

namespace quorvel::platform::posix {

std::u16string Cp1252ToUtf16(std::string_view text) {
    std::u16string units;
    units.reserve(text.size());
    for (const char c : text) {
        units.push_back(static_cast<char16_t>(Cp1252ToCodePoint(static_cast<unsigned char>(c))));
    }
    return units;
}

std::string Utf16ToCp1252(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (const char16_t unit : text) {
        const std::optional<unsigned char> byte = CodePointToCp1252(unit);
        bytes.push_back(byte ? static_cast<char>(*byte) : '?');
    }
    return bytes;
}

std::u16string Utf16FromLittleEndian(std::string_view bytes) {
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto low = static_cast<unsigned char>(bytes[i]);
        const auto high = static_cast<unsigned char>(bytes[i + 1]);
        units.push_back(static_cast<char16_t>(low | (high << 8)));
    }
    return units;
}

std::string Utf16ToLittleEndian(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

char16_t FoldRegistryUnit(char16_t unit) {
    const std::optional<unsigned char> byte = CodePointToCp1252(unit);
    if (!byte) {
        return unit;
    }
    return static_cast<char16_t>(Cp1252ToCodePoint(Cp1252ToUpper(*byte)));
}

bool RegistryNamesEqual(std::u16string_view a, std::u16string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char16_t x, char16_t y) {
        return x == y || FoldRegistryUnit(x) == FoldRegistryUnit(y);
    });
}

}  // namespace quorvel::platform::posix
