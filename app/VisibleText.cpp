#include "app/VisibleText.h"

#include <cstddef>
#include <optional>

#include "platform/Utf8.h"

namespace quorvel::app {

namespace {
constexpr char kShownInstead = '?';

bool IsControl(char32_t codePoint) {
    return codePoint < 0x20 || (codePoint >= 0x7F && codePoint <= 0x9F);
}
}  // namespace

std::string VisibleText(std::string_view utf8) {
    std::string visible;
    visible.reserve(utf8.size());
    std::size_t index = 0;
    while (index < utf8.size()) {
        const std::size_t start = index;
        const std::optional<char32_t> codePoint = platform::DecodeUtf8(utf8, &index);
        if (!codePoint) {
            visible.push_back(kShownInstead);
            ++index;
        } else if (*codePoint == '\n') {
            visible.push_back('\n');
        } else if (*codePoint == '\t') {
            visible.push_back(' ');
        } else if (IsControl(*codePoint)) {
            visible.push_back(kShownInstead);
        } else {
            visible.append(utf8.substr(start, index - start));
        }
    }
    return visible;
}

}  // namespace quorvel::app
