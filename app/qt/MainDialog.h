// The main dialog: what the installer does, its progress bar, "Installieren" and "Abbrechen",
// and the About entry in the window's context menu (Alt+O).
#pragma once

#include <QtWidgets/QDialog>

#include "app/InstallCommand.h"
#include "platform/Application.h"

class QAction;

namespace quorvel::app::qt {

class DialogProgressBar;

class MainDialog : public QDialog, public InstallDialogHost {
public:
    // Object names of the controls, for those who look them up.
    static constexpr const char* kInstallButtonName = "installButton";
    static constexpr const char* kCancelButtonName = "cancelButton";
    static constexpr const char* kTextName = "text";
    static constexpr const char* kProgressBarName = "progressBar";

    // A dialog whose install command runs for `application`.
    explicit MainDialog(platform::Application& application, QWidget* parent = nullptr);

    platform::ProgressBar& InstallProgressBar() override;
    void EndDialogOk() override { accept(); }
    // Said once, on standard error: the run cannot be undone.
    void HistoryNotWritten(const std::string& why) override;

    // The About entry: null when message 101 is empty or missing.
    QAction* AboutAction() const { return aboutAction_; }
    // Opens the About box modally over this dialog.
    void ShowAboutBox();

private:
    void AddAboutEntry();

    platform::Application& application_;
    DialogProgressBar* progressBar_;
    QAction* aboutAction_ = nullptr;
};

}  // namespace quorvel::app::qt
