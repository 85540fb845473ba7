// Starting the desktop front end: Qt on the first display it can open, then the main dialog.
#pragma once

#include <string>

namespace quorvel::app::qt {

enum class DesktopOutcome {
    Closed,     // the main dialog ran and was closed
    NoDisplay,  // Qt could open no display; nothing was shown
};

// Starts Qt and, when it found a display, runs the main dialog for the installer at
// `installerPath` (a Windows path in the package folder) until it is closed. The program's
// arguments are not passed on to Qt.
DesktopOutcome RunDesktopFrontEnd(const char* programName, const std::string& installerPath);

}  // namespace quorvel::app::qt
