// The Windows path under which Wine shows a program a file of the Linux file system: through
// the drive whose folder holds it (C: for a package inside the prefix's drive_c), and through
// Z:, the root, for everything else.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvel::platform::posix {

// For an absolute host path (UTF-8), as Wine names it: the deepest folder on the way from the
// path up to the root that is the folder of a drive of `prefix` (compared as the same folder,
// whatever links lead there; the first letter where two drives share it) gives the drive, the
// names below it follow with backslashes, in Windows-1252. Nothing for a path that is not
// absolute, holds a backslash in a name, or a character 1252 cannot represent.
std::optional<std::string> WindowsPathOnDrives(std::string_view hostPath,
                                               const std::string& prefix);

}  // namespace quorvel::platform::posix
