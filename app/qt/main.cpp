// quorvel: the Linux installer. Started in the package folder, beside InstSkript.txt, it opens
// the desktop dialog when a display can be opened and the terminal dialog otherwise.
// QUORVEL_FRONTEND=terminal or QUORVEL_FRONTEND=desktop forces one of them.
#include <cstdlib>
#include <iostream>

#include "app/qt/DesktopFrontEnd.h"
#include "app/qt/FrontEndChoice.h"
#include "app/terminal/TerminalFrontEnd.h"

namespace {
using namespace quorvel::app;
using terminal::RunTerminalFrontEnd;
}  // namespace

int main(int /*argc*/, char* argv[]) {
    const char* requested = std::getenv("QUORVEL_FRONTEND");
    qt::FrontEndRequest request = qt::ParseFrontEndRequest(requested);
    if (request == qt::FrontEndRequest::Unknown) {
        std::cerr << "quorvel: QUORVEL_FRONTEND=" << requested
                  << " is neither \"terminal\" nor \"desktop\"; choosing by the display\n";
        request = qt::FrontEndRequest::Automatic;
    }
    const bool namesDisplay =
        qt::NamesDisplay({std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"), nullptr});
    if (request == qt::FrontEndRequest::Terminal ||
        (request == qt::FrontEndRequest::Automatic && !namesDisplay)) {
        return RunTerminalFrontEnd();
    }
    if (qt::RunDesktopFrontEnd(argv[0]) == qt::DesktopOutcome::Closed) {
        return 0;
    }
    if (request == qt::FrontEndRequest::Desktop) {
        std::cerr << "quorvel: no display for the desktop dialog "
                     "(QUORVEL_FRONTEND=terminal runs it in the terminal)\n";
        return 1;
    }
    return RunTerminalFrontEnd();
}
