// The commands of the Linux program and the Windows console program beside the dialog: those
// that read a package without installing it ("preview", "check") and those of the install
// history ("history", "undo"). Each program chooses the Wine prefix (on Linux) before it runs
// them.
#pragma once

#include <string_view>

#include "app/cli/CommandLine.h"

namespace quorvel::app::cli {

extern const CommandDescription kPreviewDescription;
extern const CommandDescription kCheckDescription;
extern const CommandDescription kHistoryDescription;
extern const CommandDescription kUndoDescription;

// The preview of the package that the command line names, for the program `program`.
int RunPreview(std::string_view program, const CommandLine& line);

// The check of that package; `againstTrassimo` also runs it against the Trassimo found.
int RunCheck(std::string_view program, const CommandLine& line, bool againstTrassimo);

// The installs recorded in the Trassimo found, or with --forget N the back-ups of one deleted.
int RunHistory(std::string_view program, const CommandLine& line);

// Undoes install N of the history, or the last one not undone yet.
int RunUndo(std::string_view program, const CommandLine& line);

}  // namespace quorvel::app::cli
