// The names of one folder, found by their Windows-1252 upper case: what a run keeps of each
// folder it listed. Compact, for folders of a hundred thousand names: the names lie one after
// the other in one piece of memory, and an open-addressing table holds where each begins.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::platform::posix {

class NameTable {
public:
    // Adds a UTF-8 name, unless 1252 cannot hold it or a name of the same upper case is in the
    // table already: of names equal but for case, the first added is the one found.
    void Add(std::string_view utf8Name);

    // The name whose upper case is `upper` (1252 upper case), or nothing.
    std::optional<std::string_view> Find(std::string_view upper) const;

    std::size_t Count() const { return count_; }

private:
    std::string_view NameAt(std::uint32_t slot) const;
    // The slot that holds `upper`'s name, or the empty one where it would go.
    std::size_t SlotOf(std::string_view upper) const;
    void Grow();

    std::string names_;                 // each name followed by a 0 byte
    std::vector<std::uint32_t> slots_;  // 0: empty; else 1 + where a name begins in names_
    std::size_t count_ = 0;
};

}  // namespace quorvel::platform::posix
