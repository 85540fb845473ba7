// The install command: what "Installieren" does, written once for every front end.
#pragma once

#include <string>

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
    // The run went on without its history (`why`, German, UTF-8), so it cannot be undone. The
    // Linux front ends say so; the Windows program shows nothing beyond its dialogs.
    virtual void HistoryNotWritten(const std::string& /*why*/) {}

protected:
    ~InstallDialogHost() = default;
};

// Finds Trassimo, runs the install on the application's machine and reports its result in the
// application's message box, then closes the dialog. When Trassimo is not installed it says so
// and leaves the dialog open.
void RunInstallCommand(InstallDialogHost& dialog, platform::Application& application);

}  // namespace quorvel::app
