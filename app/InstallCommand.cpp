#include "app/InstallCommand.h"

#include "app/DialogRunEvents.h"
#include "app/MessageTable.h"
#include "app/history/HistoryRecorder.h"
#include "engine/PackageInstaller.h"
#include "platform/TextRules.h"

namespace quorvel::app {

namespace {
constexpr std::uint32_t kLongestPath = 32768;

// The package folder, as the run finds it: the folder of the installer itself.
std::string PackageFolder(platform::Host& machine) {
    std::string path(kLongestPath, '\0');
    const std::uint32_t length = machine.ModuleFileName(path.data(), kLongestPath);
    path.resize(length < kLongestPath ? length : 0);
    return std::string(platform::DirectoryOf(path));
}

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
    // Recorded before anything changes, so that the run can be undone.
    history::HistoryRecorder history(application.Machine(), installer.TargetDir(),
                                     PackageFolder(application.Machine()));
    events.AddObserver(history);
    const StatusCode result = installer.Install();
    history.Finish(Succeeded(result));
    if (history.Problem()) {
        dialog.HistoryNotWritten(*history.Problem());
    }
    ShowMessage(application, Succeeded(result) ? kMessageInstallSucceeded : kMessageInstallFailed);
    dialog.EndDialogOk();
}

}  // namespace quorvel::app
