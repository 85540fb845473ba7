#include "catalogue/LineEnds.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace quorvel::catalogue {

std::string WithWindowsLineEnds(std::string_view text) {
    const auto newlines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    std::string bytes(text.size() + newlines, '\0');
    AppendWithWindowsLineEnds(text, bytes.data());
    return bytes;
}

char* AppendWithWindowsLineEnds(std::string_view text, char* out) {
    const char* at = text.data();
    const char* const end = at + text.size();
    while (at < end) {
        const auto* newline =
            static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)));
        const char* const lineEnd = newline != nullptr ? newline : end;
        std::memcpy(out, at, static_cast<std::size_t>(lineEnd - at));
        out += lineEnd - at;
        if (newline == nullptr) {
            break;
        }
        *out++ = '\r';
        *out++ = '\n';
        at = newline + 1;
    }
    return out;
}

}  // namespace quorvel::catalogue
