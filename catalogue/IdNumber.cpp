#include "catalogue/IdNumber.h"

#include <algorithm>
#include <limits>

#include "platform/TextRules.h"

namespace quorvel::catalogue {

namespace {
constexpr std::int64_t kLargestId = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kSmallestIdMagnitude =
    -static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::min());
// The plain decimal form of a 32-bit id has at most this many digits.
constexpr std::size_t kMostIdDigits = 10;
constexpr int kRadix = 10;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
int DigitValue(char c) {
    return c - '0';
}
}  // namespace

std::int32_t ReadLeadingNumber(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && platform::IsWhitespace(text[pos])) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    const std::int64_t limit = negative ? kSmallestIdMagnitude : kLargestId;
    std::int64_t magnitude = 0;  // never above `limit`, so the next step cannot overflow
    for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
        magnitude = std::min(limit, magnitude * kRadix + DigitValue(text[pos]));
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

std::string IdMarker(std::int32_t id) {
    std::string marker(kMarkerOpening);
    marker += std::to_string(id);
    marker += kMarkerClosing;
    return marker;
}

std::optional<std::int32_t> MarkedIdAt(std::string_view text, std::size_t markerStart) {
    std::size_t pos = markerStart + kMarkerOpening.size();
    const bool negative = pos < text.size() && text[pos] == '-';
    if (negative) {
        ++pos;
    }
    const std::size_t digitsStart = pos;
    std::int64_t magnitude = 0;  // at most kMostIdDigits + 1 digits: far from overflowing
    while (pos < text.size() && IsDigit(text[pos]) && pos - digitsStart <= kMostIdDigits) {
        magnitude = magnitude * kRadix + DigitValue(text[pos]);
        ++pos;
    }
    const std::size_t digitCount = pos - digitsStart;
    if (digitCount == 0 || digitCount > kMostIdDigits) {
        return std::nullopt;
    }
    if (pos >= text.size() || text[pos] != kMarkerClosing) {
        return std::nullopt;
    }
    if (text[digitsStart] == '0' && (digitCount > 1 || negative)) {
        return std::nullopt;  // leading zeros, or "-0"
    }
    if (magnitude > (negative ? kSmallestIdMagnitude : kLargestId)) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

}  // namespace quorvel::catalogue
