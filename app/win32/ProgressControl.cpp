#include "app/win32/ProgressControl.h"

#include <commctrl.h>

namespace quorvel::win32 {

void ProgressControl::Attach(HWND control) {
    if (control_ == nullptr) {
        control_ = control;
    }
}

void ProgressControl::SetRange(int minimum, int maximum) {
    if (control_ != nullptr) {
        SendMessageA(control_, PBM_SETRANGE, 0,
                     MAKELPARAM(static_cast<WORD>(minimum), static_cast<WORD>(maximum)));
    }
}

void ProgressControl::SetPosition(int position) {
    if (control_ != nullptr) {
        SendMessageA(control_, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    }
}

}  // namespace quorvel::win32
