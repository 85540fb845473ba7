#include "catalogue/NormalisedForm.h"

#include <cstddef>

#include "platform/TextRules.h"

namespace quorvel::catalogue {

namespace {
constexpr std::string_view kAfterValue = "\t";      // after ")" and "{"
constexpr std::string_view kAfterBlock = "\n\t\t";  // after "}"
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
        if (platform::IsWhitespace(piece[pos])) {
            EndWord();
            ++pos;
            continue;
        }
        std::size_t wordEnd = pos + 1;
        while (wordEnd < piece.size() && !platform::IsWhitespace(piece[wordEnd])) {
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
