// The commands that read a package without installing it, as the Linux program and the Windows
// console program both offer them: "preview" and "check". Each program chooses the Wine prefix
// (on Linux) before it runs them.
#pragma once

#include <string_view>

#include "app/cli/CommandLine.h"

namespace quorvel::app::cli {

extern const CommandDescription kPreviewDescription;
extern const CommandDescription kCheckDescription;

// The preview of the package that the command line names, for the program `program`.
int RunPreview(std::string_view program, const CommandLine& line);

// The check of that package; `againstTrassimo` also runs it against the Trassimo found.
int RunCheck(std::string_view program, const CommandLine& line, bool againstTrassimo);

}  // namespace quorvel::app::cli
