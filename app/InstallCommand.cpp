#include "app/InstallCommand.h"

#include "app/DialogRunEvents.h"
#include "app/MessageTable.h"
#include "engine/PackageInstaller.h"

namespace quorvel::app {

namespace {
void ShowMessage(platform::Application& application, unsigned id) {
    application.DoMessageBox(application.LoadMessage(id), platform::kMbOk);
}
}  // namespace

void RunInstallCommand(InstallDialogHost& dialog, platform::Application& application) {
    DialogRunEvents events(dialog.InstallProgressBar(), application);
    PackageInstaller installer(application.Machine(), events);
    if (!Succeeded(installer.LookupTarget())) {
        ShowMessage(application, kMessageNotInstalled);
        return;  // the dialog stays open for another try
    }
    const StatusCode result = installer.Install();
    ShowMessage(application, Succeeded(result) ? kMessageInstallSucceeded : kMessageInstallFailed);
    dialog.EndDialogOk();
}

}  // namespace quorvel::app
