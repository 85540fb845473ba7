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

constexpr std::size_t kLongestMark = 4;

bool IsMergeableCatalogue(std::string_view bytes) {
    MergeableCheck check;
    check.Feed(bytes);
    return check.Mergeable();
}

void MergeableCheck::Feed(std::string_view piece) {
    if (start_.size() < kLongestMark) {
        start_.append(piece.substr(0, kLongestMark - start_.size()));
    }
    holdsNul_ = holdsNul_ || piece.find('\0') != std::string_view::npos;
    std::size_t afterEnd = 0;
    if (!ended_) {
        const std::size_t end = piece.find(kEndOfText);
        if (end == std::string_view::npos) {
            return;
        }
        ended_ = true;
        afterEnd = end;
    }
    textAfterEnd_ = textAfterEnd_ ||
                    piece.find_first_not_of(kAfterEndOfText, afterEnd) != std::string_view::npos;
}

bool MergeableCheck::Mergeable() const {
    for (const std::string_view mark : kByteOrderMarks) {
        if (std::string_view(start_).starts_with(mark)) {
            return false;
        }
    }
    return !holdsNul_ && !textAfterEnd_;
}

}  // namespace quorvel::catalogue
