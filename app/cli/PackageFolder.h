// The package folder a command works on.
#pragma once

#include <optional>
#include <string>

#include "platform/Host.h"

namespace quorvel::app::cli {

// The package folder as a Windows path without a trailing backslash: the folder `argument` names
// (a folder, or the InstSkript.txt in it), as the command line gave it; without an argument, the
// folder of the program itself when it holds InstSkript.txt, else the current directory.
// Nothing when the argument names no folder.
std::optional<std::string> FindPackageFolder(platform::Host& host,
                                             const std::optional<std::string>& argument);

}  // namespace quorvel::app::cli
