#include "app/InstallCommand.h"

#include "app/MessageTable.h"
#include "engine/PackageInstaller.h"
#include "platform/Application.h"

namespace quorvel::app {

void RunInstallCommand(InstallDialogHost& dialog) {
    PackageInstaller installer;
    if (!Succeeded(installer.LookupTarget())) {
        platform::AppMessageBox(kMessageNotInstalled, platform::kMbOk);
        return;  // the dialog stays open for another try
    }
    const StatusCode result = installer.Install(dialog.InstallProgressBar());
    platform::AppMessageBox(Succeeded(result) ? kMessageInstallSucceeded : kMessageInstallFailed,
                            platform::kMbOk);
    dialog.EndDialogOk();
}

}  // namespace quorvel::app
