#include "script/ScriptOutline.h"

#include <cstdint>

namespace quorvel {

namespace {
constexpr char kOpenBrace = '{';
constexpr char kCloseBrace = '}';
constexpr char kCtrlZ = '\x1a';

bool IsWhitespace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
bool IsBrace(char c) {
    return c == kOpenBrace || c == kCloseBrace;
}
}  // namespace

ScriptOutline::ScriptOutline(std::string_view fileBytes)
    : text_(fileBytes.substr(0, fileBytes.find(kCtrlZ))) {
    std::size_t line = 1;
    for (std::size_t offset = 0; offset < text_.size(); ++offset) {
        const char c = text_[offset];
        if (c == '\n') {
            ++line;
        }
        if (!IsWhitespace(c)) {
            chars_.push_back({c, line, offset});
        }
    }
    ReadNames();
}

void ScriptOutline::ReadNames() {
    // The reader's end flag is set by the first read or peek that finds no character left.
    const std::size_t count = chars_.size();
    std::size_t next = 0;
    bool atEnd = false;
    const auto peek = [&]() -> const ScriptChar* {
        if (next < count) {
            return &chars_[next];
        }
        atEnd = true;
        return nullptr;
    };
    do {
        ScriptName name;
        const ScriptChar* first = peek();
        if (first != nullptr && IsBrace(first->value)) {
            name.blockBefore = true;
            name.blockLine = first->line;
            std::int64_t depth = 0;
            while (true) {
                if (next >= count) {
                    atEnd = true;  // the rest of the script counts as the block
                    break;
                }
                const char c = chars_[next++].value;
                depth += c == kOpenBrace ? 1 : (c == kCloseBrace ? -1 : 0);
                if (depth <= 0) {
                    break;
                }
            }
        }
        name.first = next;
        for (const ScriptChar* c = atEnd ? nullptr : peek(); c != nullptr && !IsBrace(c->value);
             c = peek()) {
            name.text.push_back(c->value);
            ++next;
        }
        name.end = next;
        if (name.first < count) {
            name.line = chars_[name.first].line;
        } else if (count > 0) {
            name.line = chars_.back().line;
        }
        names_.push_back(std::move(name));
    } while (!atEnd);
}

const ScriptName* ScriptOutline::Find(std::string_view name) const {
    for (const ScriptName& candidate : names_) {
        if (candidate.text == name) {
            return &candidate;
        }
    }
    return nullptr;
}

ScriptSection ScriptOutline::SectionAfter(const ScriptName& name) const {
    ScriptSection section;
    section.name = &name;
    const std::size_t count = chars_.size();
    std::size_t next = name.end;
    if (next < count) {
        section.dropped = chars_[next];
        section.bodyOpened = chars_[next].value == kOpenBrace;
        ++next;
    }
    while (true) {
        if (next >= count) {
            section.end = SectionEnd::kEndOfScript;
            return section;
        }
        const ScriptChar opening = chars_[next++];
        if (opening.value != kOpenBrace) {
            section.end =
                opening.value == kCloseBrace ? SectionEnd::kClosingBrace : SectionEnd::kOtherText;
            section.endChar = opening;
            return section;
        }
        ScriptEntry entry;
        entry.line = opening.line;
        std::int64_t depth = 1;
        bool closed = false;
        while (next < count) {
            const char c = chars_[next++].value;
            if (c == kOpenBrace) {
                ++depth;
            } else if (c == kCloseBrace && --depth == 0) {
                closed = true;
                break;
            }
            entry.text.push_back(c);
        }
        entry.complete = closed;
        section.entries.push_back(std::move(entry));
        if (!closed) {
            section.end = SectionEnd::kEntryCutOff;
            return section;
        }
    }
}

std::string_view ScriptOutline::RawText(std::size_t first, std::size_t end) const {
    if (first >= end || end > chars_.size()) {
        return {};
    }
    const std::size_t from = chars_[first].offset;
    return std::string_view(text_).substr(from, chars_[end - 1].offset + 1 - from);
}

}  // namespace quorvel
