// Runs of Quorvel.exe one after another, each answered from a list, for the differential test
// (tests/differential): the driver points Trassimo's registry value at each run's own Trassimo
// folder, starts the installer, presses "Installieren", and writes down every message box's
// text in order while it answers it.
#pragma once

#include <string>

#include "tests/win32/driver/Checks.h"

namespace quorvel::driver {

// `runList`: one run a line, four fields separated by tabs: the run's name, the path for the
// registry value AppPath, the installer's Windows path, and the answers to the questions of
// message 106 in order, "j" (Ja) or "n" (Nein) each ("-" for none; a question beyond the list
// is answered Ja). Every other box is answered OK.
// `report`: written in UTF-8, per run: "run <name>", one "message <text>" line per box with
// \ n r t escaped by a backslash, and "end <name> <exit code>" (or "failed <name> <what>").
// Returns the process's exit status: 0 when every run could be played to its end.
int PlayScriptedRuns(const std::string& runList, const std::string& report, Checks& checks);

}  // namespace quorvel::driver
