#include "app/win32/ModalDialog.h"

#include "app/win32/Placement.h"

namespace quorvel::win32 {

namespace {

PixelRect ToPixelRect(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

// The work area (the screen less the task bar) of the monitor that shows most of `window`.
RECT WorkAreaOf(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
        return monitor.rcWork;
    }
    RECT workArea{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    return workArea;
}

}  // namespace

INT_PTR ModalDialog::DoModal() {
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), owner_,
                           &ModalDialog::DialogProc, reinterpret_cast<LPARAM>(this));
}

bool ModalDialog::OnInitDialog() {
    DoDataExchange();
    return true;
}

void ModalDialog::OnOK() {
    DoDataExchange();
    EndDialog(IDOK);
}

void ModalDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void ModalDialog::EndDialog(int result) {
    if (window_ != nullptr) {
        ::EndDialog(window_, result);
    }
}

INT_PTR CALLBACK ModalDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<ModalDialog*>(lParam);
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        dialog->window_ = window;
        return dialog->Dispatch(message, wParam, lParam);
    }
    auto* dialog = reinterpret_cast<ModalDialog*>(GetWindowLongPtrA(window, DWLP_USER));
    if (dialog == nullptr) {
        return FALSE;  // messages before WM_INITDIALOG (WM_SETFONT) get the default processing
    }
    const INT_PTR result = dialog->Dispatch(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        dialog->window_ = nullptr;
    }
    return result;
}

INT_PTR ModalDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            CentreWindow();
            return OnInitDialog() ? TRUE : FALSE;
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDOK) {
                OnOK();
                return TRUE;
            }
            if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDCANCEL) {
                OnCancel();
                return TRUE;
            }
            return FALSE;
        case WM_SYSCOMMAND:
            return OnSysCommand(wParam, lParam) ? TRUE : FALSE;
        case WM_PAINT:
            return OnPaint() ? TRUE : FALSE;
        case WM_QUERYDRAGICON:
            // One of the messages whose dialog-procedure result is the message's own result.
            return reinterpret_cast<INT_PTR>(OnQueryDragIcon());
        default: {
            INT_PTR result = FALSE;
            return OnOtherMessage(message, wParam, lParam, result) ? result : FALSE;
        }
    }
}

void ModalDialog::CentreWindow() {
    RECT window{};
    GetWindowRect(window_, &window);
    const RECT workArea = WorkAreaOf(owner_ != nullptr ? owner_ : window_);
    RECT reference = workArea;
    if (owner_ != nullptr && IsWindowVisible(owner_) && !IsIconic(owner_)) {
        GetWindowRect(owner_, &reference);
    }
    const PixelRect windowRect = ToPixelRect(window);
    const PixelPoint origin = CentredWindowOrigin(ToPixelRect(reference), ToPixelRect(workArea),
                                                  windowRect.Width(), windowRect.Height());
    SetWindowPos(window_, nullptr, origin.x, origin.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace quorvel::win32
