// Runs the installer in the terminal: keys from the terminal on standard input, or one answer
// a line when standard input is a pipe or a file.
#pragma once

namespace quorvel::app::terminal {

// Returns the process's exit status.
int RunTerminalFrontEnd();

}  // namespace quorvel::app::terminal
