// A modal dialog from a dialog template of the program's resources: the little that a dialog
// class of an application framework gives and this program uses. It runs the dialog, centres
// it, ends it on OK and Cancel, and hands the few messages the program handles to virtual
// operations; everything else goes to the system's default dialog processing.
#pragma once

#include <windows.h>

namespace quorvel::win32 {

class ModalDialog {
public:
    ModalDialog(const ModalDialog&) = delete;
    ModalDialog& operator=(const ModalDialog&) = delete;

    // Creates the dialog, runs it until it ends and returns its result: IDOK, IDCANCEL, or -1
    // when it cannot be created. The owner, if any, is disabled meanwhile.
    INT_PTR DoModal();

    // The dialog's window while it runs, else null.
    HWND Handle() const { return window_; }

protected:
    // `owner` null: the dialog is centred on the work area; otherwise over the owner.
    ModalDialog(int templateId, HWND owner) : templateId_(templateId), owner_(owner) {}
    ~ModalDialog() = default;

    // Binds the dialog's controls to their objects; run when the dialog initialises and when OK
    // ends it.
    virtual void DoDataExchange() {}
    // WM_INITDIALOG, after centring: runs the first data exchange. True lets the dialog manager
    // put the focus on the first control with a tab stop.
    virtual bool OnInitDialog();
    // The OK command (the default button, or Enter): the standard handling is a data exchange,
    // then the end with IDOK.
    virtual void OnOK();
    // The Cancel command (the Cancel button, Escape or the close box): the end with IDCANCEL.
    virtual void OnCancel();
    // WM_SYSCOMMAND; false leaves the command to the default processing.
    virtual bool OnSysCommand(WPARAM /*command*/, LPARAM /*position*/) { return false; }
    // WM_PAINT; false leaves the painting to the default processing.
    virtual bool OnPaint() { return false; }
    // WM_QUERYDRAGICON: the picture shown while the minimised window is dragged; null for the
    // system's own.
    virtual HICON OnQueryDragIcon() { return nullptr; }
    // Any other message; true when handled, with the dialog procedure's result in `result`.
    virtual bool OnOtherMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/,
                                INT_PTR& /*result*/) {
        return false;
    }

    void EndDialog(int result);

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void CentreWindow();

    int templateId_;
    HWND owner_;
    HWND window_ = nullptr;
};

}  // namespace quorvel::win32
