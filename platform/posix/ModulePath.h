// The running executable's path as Wine shows it to GetModuleFileNameA.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvel::platform::posix {

// The Windows path of an absolute host path as Wine shows a file reached through drive Z:
// "Z:" and the path with backslashes, in Windows-1252. Nothing for a path that is not absolute,
// or that holds a backslash (a name character Windows cannot show) or a character that 1252
// cannot represent.
std::optional<std::string> WindowsPathOfHostPath(std::string_view hostPath);

// The running executable's host path (the target of /proc/self/exe, however long), or nothing
// when the system does not say.
std::optional<std::string> ExecutableHostPath();

}  // namespace quorvel::platform::posix
