// The dialog in a window is a program of its own, quorvel-desktop: it loads Qt and the
// libraries Qt needs, which take longer to load than most installs take to run. quorvel starts
// it only when the dialog is to be shown in a window, so that the terminal dialog and the other
// commands start without them.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quorvel::app::cli {

// The desktop program beside the running program, else at `installed`, where the Debian
// package puts it; nothing when neither is there.
std::optional<std::string> FindDesktopProgram(const std::string& installed);

// The folder of the running program, or nothing when the system does not say.
std::optional<std::string> OwnFolder();

// Replaces this process with `program`, given the name `name` (its argv[0], which Qt takes for
// the program's name and its windows' class), `arguments` and this process's environment;
// returns, with the errno, only when that fails.
int RunInstead(const std::string& program, const char* name,
               const std::vector<std::string>& arguments);

}  // namespace quorvel::app::cli
