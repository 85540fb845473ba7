#include "platform/Cp1252.h"

#include <array>

#include "platform/Utf8.h"

namespace quorvel::platform {

namespace {

// Code points of the bytes 0x80 to 0x9F; the rest of 1252 equals Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  //
};

}  // namespace

char32_t Cp1252ToCodePoint(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        return kHighControls[byte - 0x80];
    }
    return byte;
}

std::optional<unsigned char> CodePointToCp1252(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        return static_cast<unsigned char>(codePoint);
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == codePoint) {
            return static_cast<unsigned char>(0x80 + i);
        }
    }
    return std::nullopt;
}

std::string Cp1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        AppendUtf8(out, Cp1252ToCodePoint(static_cast<unsigned char>(c)));
    }
    return out;
}

std::optional<std::string> Utf8ToCp1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t index = 0;
    while (index < text.size()) {
        const std::optional<char32_t> codePoint = DecodeUtf8(text, &index);
        if (!codePoint) {
            return std::nullopt;
        }
        const std::optional<unsigned char> byte = CodePointToCp1252(*codePoint);
        if (!byte) {
            return std::nullopt;
        }
        out.push_back(static_cast<char>(*byte));
    }
    return out;
}

unsigned char Cp1252ToUpper(unsigned char byte) {
    if (byte >= 'a' && byte <= 'z') {
        return static_cast<unsigned char>(byte - 0x20);
    }
    if (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7) {  // à..þ without ÷
        return static_cast<unsigned char>(byte - 0x20);
    }
    switch (byte) {
        case 0x9A:  // š
            return 0x8A;
        case 0x9C:  // œ
            return 0x8C;
        case 0x9E:  // ž
            return 0x8E;
        case 0xFF:  // ÿ
            return 0x9F;
        default:
            return byte;
    }
}

bool Utf8MatchesCp1252IgnoringCase(std::string_view utf8, std::string_view cp1252) {
    // Every 1252 character takes one to three bytes in UTF-8.
    if (utf8.size() < cp1252.size() || utf8.size() > 3 * cp1252.size()) {
        return false;
    }
    std::size_t index = 0;
    for (const char expected : cp1252) {
        if (index == utf8.size()) {
            return false;
        }
        const std::optional<char32_t> codePoint = DecodeUtf8(utf8, &index);
        if (!codePoint) {
            return false;
        }
        const std::optional<unsigned char> byte = CodePointToCp1252(*codePoint);
        if (!byte || Cp1252ToUpper(*byte) != Cp1252ToUpper(static_cast<unsigned char>(expected))) {
            return false;
        }
    }
    return index == utf8.size();
}

std::string Cp1252UpperCase(std::string_view cp1252) {
    std::string upper(cp1252);
    for (char& c : upper) {
        c = static_cast<char>(Cp1252ToUpper(static_cast<unsigned char>(c)));
    }
    return upper;
}

std::optional<std::string> Cp1252UpperCaseOfUtf8(std::string_view utf8) {
    std::string upper;
    upper.reserve(utf8.size());
    std::size_t index = 0;
    while (index < utf8.size()) {
        const std::optional<char32_t> codePoint = DecodeUtf8(utf8, &index);
        const std::optional<unsigned char> byte =
            codePoint ? CodePointToCp1252(*codePoint) : std::nullopt;
        if (!byte) {
            return std::nullopt;
        }
        upper += static_cast<char>(Cp1252ToUpper(*byte));
    }
    return upper;
}

}  // namespace quorvel::platform
