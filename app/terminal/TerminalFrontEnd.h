// Runs the installer in the terminal: keys from the terminal on standard input, or one answer
// a line when standard input is a pipe or a file.
#pragma once

#include <string>

namespace quorvel::app::terminal {

// Runs the dialog for the installer at `installerPath` (a Windows path in the package folder);
// returns the process's exit status.
int RunTerminalFrontEnd(const std::string& installerPath);

}  // namespace quorvel::app::terminal
