// Folders the user names to the program, as the installer's calls name them: Windows paths in
// Windows-1252, without a trailing backslash.
#pragma once

#include <optional>
#include <string>

namespace quorvel::platform {

// The full Windows path of a folder or file named on the command line, relative to the current
// directory or absolute (a Linux path on the Linux host); nothing when it does not exist or has
// no Windows path.
std::optional<std::string> WindowsPathOfArgument(const std::string& argument);

// The current directory.
std::optional<std::string> CurrentWindowsDirectory();

}  // namespace quorvel::platform
