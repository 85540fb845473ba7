#include "platform/posix/WineRegistryText.h"

#include "platform/TextRules.h"

#include <optional>

#include "platform/posix/Utf16Text.h"
#include "platform/posix/WineRegistryEscapes.h"

namespace quorvel::platform::posix {

namespace {

constexpr std::string_view kHeader = "WINE REGISTRY Version 2";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimStart(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

std::string_view TrimEnd(std::string_view text) {
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool ConsumePrefix(std::string_view* text, std::string_view prefix) {
    if (text->substr(0, prefix.size()) != prefix) {
        return false;
    }
    text->remove_prefix(prefix.size());
    return true;
}

// Reads 1 to 8 hex digits as a number.
std::optional<std::uint32_t> ConsumeHexNumber(std::string_view* text) {
    std::uint32_t number = 0;
    std::size_t digits = 0;
    while (digits < text->size() && IsHexDigit((*text)[digits])) {
        if (digits == 8) {
            return std::nullopt;
        }
        number = (number << 4) | HexValue((*text)[digits]);
        ++digits;
    }
    if (digits == 0) {
        return std::nullopt;
    }
    text->remove_prefix(digits);
    return number;
}

// Splits the text into lines; a CR before the LF belongs to the line end.
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}

    bool Next(std::string_view* line) {
        if (position_ >= text_.size()) {
            return false;
        }
        std::size_t end = text_.find('\n', position_);
        if (end == std::string_view::npos) {
            end = text_.size();
        }
        *line = text_.substr(position_, end - position_);
        if (!line->empty() && line->back() == '\r') {
            line->remove_suffix(1);
        }
        position_ = end + 1;
        ++lineNumber_;
        return true;
    }

    std::size_t LineNumber() const { return lineNumber_; }

private:
    std::string_view text_;
    std::size_t position_ = 0;
    std::size_t lineNumber_ = 0;
};

// A section's key path: names separated by single backslashes (the file doubles them).
std::vector<std::u16string> SplitKeyPath(std::u16string_view path) {
    const std::vector<std::u16string_view> names = RegistryKeyNames(path);
    return std::vector<std::u16string>(names.begin(), names.end());
}

class Parser {
public:
    explicit Parser(std::string_view text) : lines_(text) {}

    RegistryText Run() {
        std::string_view line;
        if (!lines_.Next(&line) || TrimEnd(line) != kHeader) {
            Problem("not a registry file: the first line is not \"" + std::string(kHeader) + "\"");
            return std::move(result_);
        }
        result_.hasHeader = true;
        while (lines_.Next(&line)) {
            ParseLine(TrimStart(line));
        }
        return std::move(result_);
    }

private:
    void Problem(std::string what) {
        result_.problems.push_back({lines_.LineNumber(), std::move(what)});
    }

    RegistryKeyRecord* CurrentKey() { return haveKey_ ? &result_.keys.back() : nullptr; }

    void ParseLine(std::string_view line) {
        if (line.empty() || line.front() == ';') {
            return;
        }
        switch (line.front()) {
            case '[':
                ParseSection(line.substr(1));
                return;
            case '#':
                ParseOption(line);
                return;
            case '@':
            case '"':
                ParseValue(line);
                return;
            default:
                Problem("unrecognised line");
        }
    }

    void ParseSection(std::string_view rest) {
        haveKey_ = false;
        const std::optional<std::u16string> path = ConsumeEscapedText(&rest, ']');
        if (!path) {
            Problem("section header without ']'");
            return;
        }
        // What follows is the modification time in seconds; the installer has no use for it.
        RegistryKeyRecord key;
        key.path = SplitKeyPath(*path);
        result_.keys.push_back(std::move(key));
        haveKey_ = true;
    }

    void ParseOption(std::string_view line) {
        RegistryKeyRecord* key = CurrentKey();
        if (key == nullptr) {
            if (ConsumePrefix(&line, "#arch=")) {
                result_.arch = std::string(TrimEnd(line));
            }
            return;  // other file-wide options carry nothing a reader needs
        }
        if (ConsumePrefix(&line, "#link") && TrimEnd(line).empty()) {
            key->isLink = true;
        }
        // "#time=", "#class=" and options unknown here carry nothing a reader needs.
    }

    void ParseValue(std::string_view line) {
        RegistryKeyRecord* key = CurrentKey();
        const std::size_t firstLine = lines_.LineNumber();
        RegistryValueRecord value;
        bool named = true;
        if (line.front() == '@') {
            line.remove_prefix(1);
        } else {
            line.remove_prefix(1);
            const std::optional<std::u16string> name = ConsumeEscapedText(&line, '"');
            named = name.has_value();
            value.name = name.value_or(u"");
        }
        line = TrimStart(line);
        // The value is read even when it cannot be kept, so that its continuation lines are
        // not taken for lines of their own.
        const bool read = named && ConsumePrefix(&line, "=") && ParseData(TrimStart(line), &value);
        if (!named || !read) {
            result_.problems.push_back({firstLine, "value that cannot be read"});
            return;
        }
        if (key == nullptr) {
            result_.problems.push_back({firstLine, "value outside any key"});
            return;
        }
        key->values.push_back(std::move(value));
    }

    bool ParseData(std::string_view data, RegistryValueRecord* value) {
        if (ConsumePrefix(&data, "\"")) {
            value->type = kRegSz;
            return ParseQuoted(data, value);
        }
        if (ConsumePrefix(&data, "str:\"")) {
            value->type = kRegSz;
            return ParseQuoted(data, value);
        }
        if (ConsumePrefix(&data, "str(")) {
            const std::optional<std::uint32_t> type = ConsumeHexNumber(&data);
            if (!type || !ConsumePrefix(&data, "):\"")) {
                return false;
            }
            value->type = *type;
            return ParseQuoted(data, value);
        }
        if (ConsumePrefix(&data, "dword:")) {
            const std::optional<std::uint32_t> number = ConsumeHexNumber(&data);
            if (!number || !TrimEnd(data).empty()) {
                return false;
            }
            value->type = kRegDword;
            for (int shift = 0; shift < 32; shift += 8) {
                value->bytes.push_back(static_cast<char>((*number >> shift) & 0xFF));
            }
            return true;
        }
        if (ConsumePrefix(&data, "hex:")) {
            value->type = kRegBinary;
            return ParseHexBytes(data, &value->bytes);
        }
        if (ConsumePrefix(&data, "hex(")) {
            const std::optional<std::uint32_t> type = ConsumeHexNumber(&data);
            if (!type || !ConsumePrefix(&data, "):")) {
                return false;
            }
            value->type = *type;
            return ParseHexBytes(data, &value->bytes);
        }
        return false;
    }

    // A quoted string after its opening quote: stored as UTF-16LE with a terminating zero.
    static bool ParseQuoted(std::string_view data, RegistryValueRecord* value) {
        const std::optional<std::u16string> text = ConsumeEscapedText(&data, '"');
        if (!text || !TrimEnd(data).empty()) {
            return false;
        }
        value->bytes = Utf16ToLittleEndian(*text);
        value->bytes.append(2, '\0');
        return true;
    }

    // Comma-separated bytes of one or two hex digits; a backslash at the end of a line
    // continues the list on the next line, which is indented.
    bool ParseHexBytes(std::string_view data, std::string* bytes) {
        bool valid = true;
        for (;;) {
            std::string_view chunk = TrimEnd(data);
            const bool continued = !chunk.empty() && chunk.back() == '\\';
            if (continued) {
                chunk.remove_suffix(1);
            }
            valid = valid && ParseHexChunk(chunk, bytes);
            if (!continued || !lines_.Next(&data)) {
                return valid;
            }
            data = TrimStart(data);
        }
    }

    static bool ParseHexChunk(std::string_view chunk, std::string* bytes) {
        chunk = TrimStart(chunk);
        while (!chunk.empty()) {
            unsigned byte = 0;
            std::size_t digits = 0;
            while (digits < chunk.size() && IsHexDigit(chunk[digits])) {
                byte = (byte << 4) | HexValue(chunk[digits]);
                ++digits;
            }
            if (digits == 0 || digits > 2) {
                return false;
            }
            bytes->push_back(static_cast<char>(byte));
            chunk = TrimStart(chunk.substr(digits));
            if (!chunk.empty() && !ConsumePrefix(&chunk, ",")) {
                return false;
            }
            chunk = TrimStart(chunk);
        }
        return true;
    }

    LineReader lines_;
    RegistryText result_;
    bool haveKey_ = false;  // the last key of result_ takes the values that follow
};

}  // namespace

RegistryText ParseWineRegistry(std::string_view text) {
    return Parser(text).Run();
}

}  // namespace quorvel::platform::posix
