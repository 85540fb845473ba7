// One run of Quorvel.exe under test: started as Explorer starts it, watched through its
// windows, and ended by force only when a scenario failed half-way.
#pragma once

#include <windows.h>

#include <string>

#include "tests/win32/driver/Checks.h"

namespace quorvel::driver {

class InstallerSession {
public:
    explicit InstallerSession(Checks& checks) : checks_(checks) {}
    ~InstallerSession();
    InstallerSession(const InstallerSession&) = delete;
    InstallerSession& operator=(const InstallerSession&) = delete;

    // Starts the executable (a Windows path) with C:\ as its working folder, so that the
    // package folder can only come from the executable's own path.
    bool Launch(const std::string& executable);

    // The main dialog once it is shown (titled "Quorvel", with the progress bar); else null.
    HWND WaitForMainDialog();
    // A dialog that `owner` owns and that is not `owner` itself: a message box or the About box.
    HWND WaitForOwnedDialog(HWND owner);
    // True when no dialog but `mainDialog` shows up within `milliseconds`; reports one that does.
    bool NoOtherDialogFor(HWND mainDialog, DWORD milliseconds);
    // Presses `buttonId` of `dialog` by WM_COMMAND and waits until the dialog is gone.
    bool Answer(HWND dialog, int buttonId);
    // True once `window` is destroyed, false when it still exists after a few seconds.
    bool WaitUntilGone(HWND window);
    // Waits for the process to end, failing if any dialog but `mainDialog` shows up meanwhile.
    bool WaitForExit(HWND mainDialog);

    DWORD ProcessId() const { return processId_; }
    DWORD ThreadId() const;
    DWORD ExitCode() const;

private:
    Checks& checks_;
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
};

}  // namespace quorvel::driver
