// Starting the desktop front end: Qt on the first display it can open, then the main dialog.
#pragma once

namespace quorvel::app::qt {

enum class DesktopOutcome {
    Closed,     // the main dialog ran and was closed
    NoDisplay,  // Qt could open no display; nothing was shown
};

// Starts Qt and, when it found a display, runs the main dialog until it is closed. The
// program's arguments are not passed on: the installer takes none.
DesktopOutcome RunDesktopFrontEnd(const char* programName);

}  // namespace quorvel::app::qt
