#include "engine/DestinationPath.h"

#include <cstddef>

namespace quorvel {

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

bool IsDotsAndBlanksOnly(std::string_view component) {
    return component.find_first_not_of(". ") == std::string_view::npos;
}

}  // namespace

bool StaysInsideTarget(std::string_view destinationPart) {
    std::ptrdiff_t depth = 0;
    bool endsGoingUp = false;
    std::size_t begin = 0;
    while (begin <= destinationPart.size()) {
        std::size_t end = begin;
        while (end < destinationPart.size() && !IsSeparator(destinationPart[end])) {
            ++end;
        }
        const std::string_view component = destinationPart.substr(begin, end - begin);
        if (component == "..") {
            if (--depth < 0) {
                return false;
            }
            endsGoingUp = true;
        } else if (component.empty() || component == ".") {
            // counts for nothing
        } else if (IsDotsAndBlanksOnly(component)) {
            return false;  // a disguised "." or ".."
        } else {
            ++depth;
            endsGoingUp = false;
        }
        begin = end + 1;
    }
    // A part that ends going up names a directory above its last file name, never a file.
    return !endsGoingUp;
}

}  // namespace quorvel
