// The rule that keeps a package's files inside Trassimo's directory.
#pragma once

#include <string_view>

namespace quorvel {

// True when the destination part of a file entry stays inside the directory it is joined to.
// The part is split into components at "\" and "/", as Windows does. Empty and "." components
// count for nothing and ".." goes up one level; a part that goes above its start is refused,
// and so is any component made only of dots and blanks besides "." and "..", which Windows may
// shorten to one of them ("...", ". .", ".. "). A part that ends with ".." names a directory,
// not a file, and is refused too.
bool StaysInsideTarget(std::string_view destinationPart);

}  // namespace quorvel
