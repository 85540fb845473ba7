// Which catalogue files the merge may rewrite. The catalogue is read as Windows' text mode reads
// it, one byte a character, and written back whole from what was read: a file in UTF-16 or
// UTF-32 would be merged byte by byte and come out torn, and whatever follows a Ctrl-Z in the
// middle, which the text mode never reads, would be lost with the save. Such a file is left as
// it is rather than damaged.
#pragma once

#include <string>
#include <string_view>

namespace quorvel::catalogue {

// False when `bytes`, a catalogue file's content, holds a NUL byte, begins with a UTF-16 or
// UTF-32 byte-order mark, or holds a Ctrl-Z followed by anything but spaces, tabs, line ends
// and further Ctrl-Z bytes. A Ctrl-Z that only ends the text is fine.
bool IsMergeableCatalogue(std::string_view bytes);

// The same for a file read in pieces of any size.
class MergeableCheck {
public:
    void Feed(std::string_view piece);
    bool Mergeable() const;

private:
    std::string start_;  // the first bytes, for the byte-order marks
    bool holdsNul_ = false;
    bool ended_ = false;  // a Ctrl-Z was read
    bool textAfterEnd_ = false;
};

}  // namespace quorvel::catalogue
