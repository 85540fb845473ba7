#include "app/history/HistoryLog.h"

#include <cstdint>

namespace quorvel::app::history {

namespace {

constexpr char kSeparator = '\t';
constexpr char kEscape = '%';

bool NeedsEscape(unsigned char c) {
    return c < 0x20 || c == 0x7F || c == static_cast<unsigned char>(kEscape);
}

std::uint32_t Checksum(std::string_view text) {
    std::uint32_t hash = 2166136261u;  // FNV-1a
    for (const char c : text) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    }
    return hash;
}

std::string Hex8(std::uint32_t value) {
    static constexpr char kHexDigits[] = "0123456789abcdef";
    std::string text(8, '0');
    for (std::size_t i = 8; i > 0; --i, value >>= 4) {
        text[i - 1] = kHexDigits[value & 0x0F];
    }
    return text;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

std::optional<std::string> Unescaped(std::string_view field) {
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != kEscape) {
            text.push_back(field[i]);
            continue;
        }
        if (i + 2 >= field.size()) {
            return std::nullopt;
        }
        const int high = HexDigit(field[i + 1]);
        const int low = HexDigit(field[i + 2]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        text.push_back(static_cast<char>(high * 16 + low));
        i += 2;
    }
    return text;
}

}  // namespace

std::string RecordLine(const Record& record) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string line;
    for (std::size_t i = 0; i < record.size(); ++i) {
        if (i > 0) {
            line.push_back(kSeparator);
        }
        for (const char c : record[i]) {
            const auto byte = static_cast<unsigned char>(c);
            if (NeedsEscape(byte)) {
                line.push_back(kEscape);
                line.push_back(kDigits[byte >> 4]);
                line.push_back(kDigits[byte & 0x0F]);
            } else {
                line.push_back(c);
            }
        }
    }
    const std::uint32_t checksum = Checksum(line);
    line.push_back(kSeparator);
    line += Hex8(checksum);
    line.push_back('\n');
    return line;
}

ReadLog ReadRecords(std::string_view text) {
    ReadLog log;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        const std::size_t last = line.rfind(kSeparator);
        if (end == std::string_view::npos) {
            log.cutOff = true;  // the last line, not finished
            return log;
        }
        text.remove_prefix(end + 1);
        if (last == std::string_view::npos ||
            line.substr(last + 1) != Hex8(Checksum(line.substr(0, last)))) {
            log.cutOff = true;  // a line cut off, which later records were written after
            continue;
        }
        Record record;
        std::string_view fields = line.substr(0, last);
        while (true) {
            const std::size_t tab = fields.find(kSeparator);
            std::optional<std::string> field = Unescaped(fields.substr(0, tab));
            if (!field) {
                break;  // cannot be: the checksum matched what this program wrote
            }
            record.push_back(std::move(*field));
            if (tab == std::string_view::npos) {
                break;
            }
            fields.remove_prefix(tab + 1);
        }
        log.records.push_back(std::move(record));
    }
    return log;
}

}  // namespace quorvel::app::history
