// Which front end the quorvel executable opens: the desktop dialog when a display can be
// opened, else the terminal. QUORVEL_FRONTEND=terminal or =desktop forces one.
#pragma once

#include <string>
#include <string_view>

namespace quorvel::app {

enum class FrontEndRequest {
    Automatic,  // QUORVEL_FRONTEND unset or empty
    Terminal,   // "terminal"
    Desktop,    // "desktop"
    Unknown,    // any other value; treated as Automatic
};

// The request named by the value of QUORVEL_FRONTEND (null when unset), in any case.
FrontEndRequest ParseFrontEndRequest(const char* value);

// The environment the choice depends on; null for an unset variable.
struct DisplayEnvironment {
    const char* display;         // DISPLAY
    const char* waylandDisplay;  // WAYLAND_DISPLAY
    const char* qtPlatform;      // QT_QPA_PLATFORM
};

// True when the environment names a display to open.
bool NamesDisplay(const DisplayEnvironment& environment);

// The platform plugin Qt falls back to when no display can be opened: it always starts, and
// starting on it means that there is no display.
inline constexpr std::string_view kNoDisplayPlatform = "minimal";

// The Qt platform plugins to try in order, separated by ";": QT_QPA_PLATFORM when set, else
// Wayland and X11 as their variables name them, and last kNoDisplayPlatform.
std::string PlatformCandidates(const DisplayEnvironment& environment);

}  // namespace quorvel::app
