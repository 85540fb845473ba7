// The install command: what "Installieren" does, written once for every front end.
#pragma once

#include "platform/Application.h"
#include "platform/ProgressBar.h"

namespace quorvel::app {

// What the command needs of the dialog that runs it.
class InstallDialogHost {
public:
    // The dialog's progress bar, which only the install run moves.
    virtual platform::ProgressBar& InstallProgressBar() = 0;
    // The dialog's standard OK handling: ends the dialog with the result OK.
    virtual void EndDialogOk() = 0;

protected:
    ~InstallDialogHost() = default;
};

// Finds Trassimo, runs the install on the application's machine and reports its result in the
// application's message box, then closes the dialog. When Trassimo is not installed it says so
// and leaves the dialog open.
void RunInstallCommand(InstallDialogHost& dialog, platform::Application& application);

}  // namespace quorvel::app
