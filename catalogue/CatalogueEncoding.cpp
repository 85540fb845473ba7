#include "catalogue/CatalogueEncoding.h"

namespace quorvel::catalogue {

namespace {
constexpr char kEndOfText = '\x1A';  // Ctrl-Z
// What may follow the Ctrl-Z that ends the text.
constexpr std::string_view kAfterEndOfText = " \t\r\n\x1A";
// UTF-32 little-endian begins as UTF-16 little-endian does; its mark is caught by the
// shorter one.
constexpr std::string_view kByteOrderMarks[] = {
    std::string_view("\xFF\xFE", 2),
    std::string_view("\xFE\xFF", 2),
    std::string_view("\x00\x00\xFE\xFF", 4),
};
}  // namespace

bool IsMergeableCatalogue(std::string_view bytes) {
    for (const std::string_view mark : kByteOrderMarks) {
        if (bytes.starts_with(mark)) {
            return false;
        }
    }
    if (bytes.find('\0') != std::string_view::npos) {
        return false;
    }
    const std::size_t end = bytes.find(kEndOfText);
    return end == std::string_view::npos ||
           bytes.find_first_not_of(kAfterEndOfText, end) == std::string_view::npos;
}

}  // namespace quorvel::catalogue
