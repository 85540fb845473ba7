// A program made of commands: the Linux program `quorvel` and the Windows console program. It
// reads the command line, answers --help and --version, reports a command line it cannot read
// (status 2), and runs the command named.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli/CommandLine.h"

namespace quorvel::app::cli {

struct Command {
    CommandDescription description;
    // Runs the command; returns the process's exit status.
    std::function<int(const CommandLine&)> run;
};

// The exit status of a command line that cannot be read.
inline constexpr int kUsageError = 2;

// Whether the program takes --prefix ORDNER: the Linux program does, the Windows one does not.
enum class WinePrefixOption { kTaken, kNotTaken };
inline constexpr WinePrefixOption kNoWinePrefix = WinePrefixOption::kNotTaken;

int RunProgram(std::string_view program, const std::vector<std::string>& arguments,
               const std::vector<Command>& commands, std::ostream& out, std::ostream& err,
               WinePrefixOption prefixOption = WinePrefixOption::kTaken);

}  // namespace quorvel::app::cli
