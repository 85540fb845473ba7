// The program's entry: the one application object, constructed before the entry runs, and
// the start-up through it.
#include <windows.h>

#include "app/win32/InstallerApp.h"

namespace {
quorvel::win32::InstallerApp installerApp;
}  // namespace

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
    // The start-up returns false once the main dialog has closed: the program has no message
    // loop of its own, so the process ends here, whichever way the dialog ended.
    installerApp.InitInstance();
    return 0;
}
