#include "catalogue/NormalisedForm.h"

#include <array>
#include <cstddef>

#include "platform/TextRules.h"

namespace quorvel::catalogue {

namespace {
constexpr std::string_view kAfterValue = "\t";      // after ")" and "{"
constexpr std::string_view kAfterBlock = "\n\t\t";  // after "}"

// platform::IsWhitespace as a table: the load looks at every byte of the catalogue.
constexpr std::array<bool, 256> kWhitespace = [] {
    std::array<bool, 256> table{};
    for (int c = 0; c < 256; ++c) {
        table[static_cast<std::size_t>(c)] = platform::IsWhitespace(static_cast<char>(c));
    }
    return table;
}();

bool IsSpace(char c) {
    return kWhitespace[static_cast<unsigned char>(c)];
}
}  // namespace

std::string_view SeparatorAfter(char last) {
    switch (last) {
        case ')':
        case '{':
            return kAfterValue;
        case '}':
            return kAfterBlock;
        default:
            return {};
    }
}

void NormalisedTextBuilder::Feed(std::string_view piece) {
    std::size_t pos = 0;
    while (pos < piece.size()) {
        if (IsSpace(piece[pos])) {
            EndWord();
            ++pos;
            continue;
        }
        std::size_t wordEnd = pos + 1;
        while (wordEnd < piece.size() && !IsSpace(piece[wordEnd])) {
            ++wordEnd;
        }
        text_.append(piece.substr(pos, wordEnd - pos));  // a word may go on in the next piece
        inWord_ = true;
        pos = wordEnd;
    }
}

std::string NormalisedTextBuilder::Finish() {
    EndWord();
    std::string text = std::move(text_);
    text_.clear();
    return text;
}

void NormalisedTextBuilder::EndWord() {
    if (inWord_) {
        text_.append(SeparatorAfter(text_.back()));
        inWord_ = false;
    }
}

void AppendDefinition(std::string& text, std::string_view definition) {
    for (const char c : definition) {
        text.push_back(c);
        text.append(SeparatorAfter(c));
    }
}

}  // namespace quorvel::catalogue
