// The two parts of a script entry: "source>>destination" in the file section, "id>>definition"
// in the texture section.
#pragma once

#include <optional>
#include <string_view>

namespace quorvel {

inline constexpr std::string_view kEntrySeparator = ">>";

struct EntryParts {
    std::string_view before;  // the text before the first ">>"
    std::string_view after;   // everything after it, any further ">>" included
};

// The entry split at its first ">>"; nothing when it holds none.
constexpr std::optional<EntryParts> SplitEntry(std::string_view entry) {
    const std::size_t separator = entry.find(kEntrySeparator);
    if (separator == std::string_view::npos) {
        return std::nullopt;
    }
    return EntryParts{entry.substr(0, separator), entry.substr(separator + kEntrySeparator.size())};
}

}  // namespace quorvel
