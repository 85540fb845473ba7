// The About box: the icon, the version line and the notice line, with its OK button. Its
// template says everything; it has no behaviour of its own.
#pragma once

#include <windows.h>

#include "app/win32/ModalDialog.h"
#include "app/win32/ResourceIds.h"

namespace quorvel::win32 {

class AboutDialog final : public ModalDialog {
public:
    // Opens over `owner`, the main dialog, which it disables while it is open.
    explicit AboutDialog(HWND owner) : ModalDialog(QUORVEL_IDD_ABOUT, owner) {}
    ~AboutDialog() = default;
};

}  // namespace quorvel::win32
