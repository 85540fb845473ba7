#include "platform/posix/WineRegistryEscapes.h"

#include "platform/Utf8.h"

namespace quorvel::platform::posix {

namespace {

// Appends the character at `text[*index]` as UTF-16, advancing past it. Wine writes only ASCII,
// but a file edited by hand may hold UTF-8; a byte that starts no valid UTF-8 sequence stands
// for the Latin-1 character of its value.
void AppendCharacter(std::string_view text, std::size_t* index, std::u16string* out) {
    std::optional<char32_t> codePoint = DecodeUtf8(text, index);
    if (!codePoint) {
        out->push_back(static_cast<char16_t>(static_cast<unsigned char>(text[*index])));
        ++*index;
        return;
    }
    if (*codePoint >= 0x10000) {
        const char32_t offset = *codePoint - 0x10000;
        out->push_back(static_cast<char16_t>(0xD800 + (offset >> 10)));
        out->push_back(static_cast<char16_t>(0xDC00 + (offset & 0x3FF)));
    } else {
        out->push_back(static_cast<char16_t>(*codePoint));
    }
}

// The character of a one-letter C escape, or 0 when the letter is none.
char16_t SimpleEscape(char letter) {
    switch (letter) {
        case 'a':
            return u'\a';
        case 'b':
            return u'\b';
        case 'e':
            return 0x1B;
        case 'f':
            return u'\f';
        case 'n':
            return u'\n';
        case 'r':
            return u'\r';
        case 't':
            return u'\t';
        case 'v':
            return u'\v';
        default:
            return 0;
    }
}

}  // namespace

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

unsigned HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return static_cast<unsigned>(c - '0');
    }
    return static_cast<unsigned>((c | 0x20) - 'a' + 10);
}

std::optional<std::u16string> ConsumeEscapedText(std::string_view* text, char terminator) {
    std::u16string out;
    std::size_t i = 0;
    while (i < text->size()) {
        const char c = (*text)[i];
        if (c == terminator) {
            text->remove_prefix(i + 1);
            return out;
        }
        if (c != '\\') {
            AppendCharacter(*text, &i, &out);
            continue;
        }
        if (++i == text->size()) {
            break;
        }
        const char next = (*text)[i];
        if (const char16_t simple = SimpleEscape(next); simple != 0) {
            out.push_back(simple);
            ++i;
        } else if (next == 'x' && i + 1 < text->size() && IsHexDigit((*text)[i + 1])) {
            unsigned unit = 0;
            ++i;
            for (int digits = 0; digits < 4 && i < text->size() && IsHexDigit((*text)[i]);
                 ++digits, ++i) {
                unit = (unit << 4) | HexValue((*text)[i]);
            }
            out.push_back(static_cast<char16_t>(unit));
        } else if (next >= '0' && next <= '7') {
            unsigned unit = 0;
            for (int digits = 0;
                 digits < 3 && i < text->size() && (*text)[i] >= '0' && (*text)[i] <= '7';
                 ++digits, ++i) {
                unit = unit * 8 + static_cast<unsigned>((*text)[i] - '0');
            }
            out.push_back(static_cast<char16_t>(unit));
        } else {
            AppendCharacter(*text, &i, &out);
        }
    }
    return std::nullopt;
}

}  // namespace quorvel::platform::posix
