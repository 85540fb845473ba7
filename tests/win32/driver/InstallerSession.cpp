#include "tests/win32/driver/InstallerSession.h"

#include <shellapi.h>

#include <functional>

#include "tests/win32/driver/RemoteWindows.h"

namespace quorvel::driver {

namespace {
constexpr DWORD kStartTimeoutMs = 30000;  // a cold Wine start on a loaded machine
constexpr DWORD kStepTimeoutMs = 15000;
constexpr DWORD kPollMs = 20;
constexpr int kProgressControlId = 1000;

// Polls `done` until it holds or `timeoutMs` has passed; true when it held.
bool PollUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    do {
        if (done()) {
            return true;
        }
        Sleep(kPollMs);
    } while (GetTickCount64() < deadline);
    return false;
}

HWND PollForWindow(const std::function<HWND()>& found, DWORD timeoutMs) {
    HWND window = nullptr;
    PollUntil([&] { return (window = found()) != nullptr; }, timeoutMs);
    return window;
}

HWND OtherDialog(DWORD processId, HWND mainDialog) {
    for (const HWND dialog : DialogsOf(processId)) {
        if (dialog != mainDialog) {
            return dialog;
        }
    }
    return nullptr;
}
}  // namespace

InstallerSession::~InstallerSession() {
    if (process_ == nullptr) {
        return;
    }
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        checks_.Note("the installer still runs: ended by the driver");
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, kStepTimeoutMs);
    }
    CloseHandle(process_);
}

bool InstallerSession::Launch(const std::string& executable) {
    // ShellExecuteEx, as Explorer starts a program: it also asks for the elevation that the
    // manifest requests, where CreateProcess would fail.
    SHELLEXECUTEINFOA start{};
    start.cbSize = sizeof(start);
    start.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    start.lpFile = executable.c_str();
    start.lpDirectory = "C:\\";
    start.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExA(&start) || start.hProcess == nullptr) {
        return checks_.Expect(false, "the installer starts");
    }
    process_ = start.hProcess;
    processId_ = GetProcessId(process_);
    return true;
}

HWND InstallerSession::WaitForMainDialog() {
    const HWND dialog = PollForWindow(
        [this]() -> HWND {
            for (const HWND candidate : DialogsOf(processId_)) {
                if (GetDlgItem(candidate, kProgressControlId) != nullptr &&
                    GetWindow(candidate, GW_OWNER) == nullptr) {
                    return candidate;
                }
            }
            return nullptr;
        },
        kStartTimeoutMs);
    checks_.Expect(dialog != nullptr, "the main dialog opens");
    return dialog;
}

HWND InstallerSession::WaitForOwnedDialog(HWND owner) {
    return PollForWindow(
        [this, owner]() -> HWND {
            for (const HWND candidate : DialogsOf(processId_)) {
                if (candidate != owner && GetWindow(candidate, GW_OWNER) == owner) {
                    return candidate;
                }
            }
            return nullptr;
        },
        kStepTimeoutMs);
}

bool InstallerSession::NoOtherDialogFor(HWND mainDialog, DWORD milliseconds) {
    const HWND other =
        PollForWindow([&] { return OtherDialog(processId_, mainDialog); }, milliseconds);
    if (other != nullptr) {
        checks_.Note("unexpected window \"" + ToUtf8(TextOf(other)) + "\": \"" +
                     ToUtf8(MessageBoxText(other)) + "\"");
    }
    return other == nullptr;
}

bool InstallerSession::Answer(HWND dialog, int buttonId) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
    return checks_.Expect(WaitUntilGone(dialog), "the window closes when its button is pressed");
}

bool InstallerSession::WaitUntilGone(HWND window) {
    return PollUntil([window] { return !IsWindow(window); }, kStepTimeoutMs);
}

bool InstallerSession::WaitForExit(HWND mainDialog) {
    const ULONGLONG deadline = GetTickCount64() + kStepTimeoutMs;
    while (WaitForSingleObject(process_, kPollMs) == WAIT_TIMEOUT) {
        if (OtherDialog(processId_, mainDialog) != nullptr && !NoOtherDialogFor(mainDialog, 0)) {
            return checks_.Expect(false, "no other window shows before the installer ends");
        }
        if (GetTickCount64() > deadline) {
            return checks_.Expect(false, "the installer ends");
        }
    }
    return checks_.Expect(true, "the installer ends");
}

DWORD InstallerSession::ThreadId() const {
    const std::vector<HWND> dialogs = DialogsOf(processId_);
    return dialogs.empty() ? 0 : GetWindowThreadProcessId(dialogs.front(), nullptr);
}

DWORD InstallerSession::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_, &code);
    return code;
}

}  // namespace quorvel::driver
