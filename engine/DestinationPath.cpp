#include "engine/DestinationPath.h"

#include <cstddef>

#include "platform/TextRules.h"

namespace quorvel {

namespace {

bool IsDotsAndBlanksOnly(std::string_view component) {
    return component.find_first_not_of(". ") == std::string_view::npos;
}

}  // namespace

bool StaysInsideTarget(std::string_view destinationPart) {
    std::ptrdiff_t depth = 0;
    bool endsGoingUp = false;
    for (const std::string_view component :
         platform::SplitPath(destinationPart, platform::IsPathSeparator)) {
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
    }
    // A part that ends going up names a directory above its last file name, never a file.
    return !endsGoingUp;
}

}  // namespace quorvel
