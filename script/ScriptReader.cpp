#include "script/ScriptReader.h"

#include <cstdint>

namespace quorvel {

namespace {
constexpr char kOpenBrace = '{';
constexpr char kCloseBrace = '}';

bool IsBrace(char c) {
    return c == kOpenBrace || c == kCloseBrace;
}
bool IsBlank(char c) {
    return c == '\t' || c == '\n' || c == ' ';
}
}  // namespace

ScriptReader::~ScriptReader() {
    Close();
}

bool ScriptReader::Open(const std::string& path) {
    scriptPath = path;
    stream = std::make_unique<platform::TextInputFile>(host_, scriptPath);
    if (!stream->IsOpen()) {
        return false;  // the stream that did not open stays until the next Close
    }
    stream.reset();
    return true;
}

bool ScriptReader::FindSection(const std::string& name) {
    Close();
    stream = std::make_unique<platform::TextInputFile>(host_, scriptPath);
    if (!stream->IsOpen()) {
        return false;
    }
    std::string token = NextToken();
    while (token != name) {
        if (AtEnd()) {
            return false;
        }
        token = NextToken();
    }
    char dropped = 0;
    ReadChar(dropped);  // the opening brace of the section body in a well-formed script
    return true;
}

bool ScriptReader::NextEntry(std::string& entry) {
    entry.clear();
    SkipBlanks();
    entryLine_ = stream != nullptr ? stream->Line() : 0;
    char c = 0;
    if (!ReadChar(c) || c != kOpenBrace) {
        return false;
    }
    std::int64_t depth = 1;
    while (ReadChar(c)) {
        if (c == kOpenBrace) {
            ++depth;
        } else if (c == kCloseBrace && --depth == 0) {
            return true;
        }
        entry.push_back(c);
    }
    return false;  // the script ended inside the entry
}

bool ScriptReader::Close() {
    stream.reset();
    return true;
}

bool ScriptReader::ReadChar(char& c) {
    return stream != nullptr && stream->ReadSkippingWhitespace(c);
}

bool ScriptReader::PeekChar(char& c) {
    if (!ReadChar(c)) {
        return false;
    }
    stream->PutBack();
    return true;
}

bool ScriptReader::AtEnd() const {
    return stream == nullptr || stream->AtEnd();
}

std::string ScriptReader::NextToken() {
    if (AtEnd()) {
        return std::string();
    }
    SkipBlanks();
    if (PeekIsBrace()) {
        SkipBlock();
    }
    SkipBlanks();
    return ReadWord();
}

bool ScriptReader::SkipBlock() {
    if (AtEnd()) {
        return false;
    }
    std::int64_t depth = 0;
    char c = 0;
    while (ReadChar(c)) {
        if (c == kOpenBrace) {
            ++depth;
        } else if (c == kCloseBrace) {
            --depth;
        }
        if (depth <= 0) {
            return true;
        }
    }
    return false;
}

std::string ScriptReader::ReadWord() {
    std::string word;
    char c = 0;
    while (!AtEnd() && !PeekIsBlank() && !PeekIsBrace() && ReadChar(c)) {
        word.push_back(c);
    }
    return word;
}

bool ScriptReader::PeekIsBrace() {
    char c = 0;
    return PeekChar(c) && IsBrace(c);
}

bool ScriptReader::PeekIsBlank() {
    char c = 0;
    return PeekChar(c) && IsBlank(c);
}

void ScriptReader::SkipBlanks() {
    char c = 0;
    while (PeekIsBlank()) {
        ReadChar(c);
    }
}

}  // namespace quorvel
