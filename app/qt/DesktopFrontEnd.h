// Starting the desktop front end: Qt on the first display it can open, then the main dialog.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace quorvel::app::qt {

enum class DesktopOutcome {
    Closed,     // the main dialog ran and was closed
    NoDisplay,  // Qt could open no display; nothing was shown
};

// Starts Qt and, when it found a display, asks `prepare` for the installer's path (a Windows
// path in the package folder; `prepare` may show dialogs of its own first) and runs the main
// dialog for it until it is closed; without a path nothing more is shown. The program's
// arguments are not passed on to Qt.
DesktopOutcome RunDesktopFrontEnd(const char* programName,
                                  const std::function<std::optional<std::string>()>& prepare);

}  // namespace quorvel::app::qt
