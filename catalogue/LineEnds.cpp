#include "catalogue/LineEnds.h"

#include <algorithm>
#include <cstddef>

namespace quorvel::catalogue {

std::string WithWindowsLineEnds(std::string_view text) {
    const auto newlines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    std::string bytes;
    bytes.reserve(text.size() + newlines);
    std::size_t lineStart = 0;
    for (std::size_t newline = text.find('\n'); newline != std::string_view::npos;
         newline = text.find('\n', lineStart)) {
        bytes.append(text.substr(lineStart, newline - lineStart));
        bytes.append("\r\n");
        lineStart = newline + 1;
    }
    bytes.append(text.substr(lineStart));
    return bytes;
}

}  // namespace quorvel::catalogue
