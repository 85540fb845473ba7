// The main dialog: the text, the progress bar, "Installieren" and "Abbrechen", the About entry
// of the system menu, and the icon, also when minimised.
#pragma once

#include <windows.h>

#include "app/InstallCommand.h"
#include "app/win32/ModalDialog.h"
#include "app/win32/ProgressControl.h"
#include "platform/Application.h"

namespace quorvel::win32 {

class InstallerDialog final : public ModalDialog, public app::InstallDialogHost {
public:
    // Loads the application's icon; the window itself exists only while DoModal runs. The
    // install command runs for `application`.
    explicit InstallerDialog(platform::Application& application);
    ~InstallerDialog() = default;

    // InstallDialogHost: what the install command needs of the dialog.
    platform::ProgressBar& InstallProgressBar() override { return progressBar_; }
    void EndDialogOk() override { ModalDialog::OnOK(); }

protected:
    void DoDataExchange() override;
    bool OnInitDialog() override;
    // "Installieren": the install command.
    void OnOK() override;
    bool OnSysCommand(WPARAM command, LPARAM position) override;
    bool OnPaint() override;
    HICON OnQueryDragIcon() override;
    bool OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    void AppendAboutEntry();
    void PaintMinimisedIcon();

    platform::Application& application_;
    ProgressControl progressBar_;
    HICON icon_;             // shared resource icon: never destroyed
    UINT testQueryMessage_;  // see TestQuery.h
};

}  // namespace quorvel::win32
