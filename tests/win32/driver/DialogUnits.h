// Dialog units to pixels for the font of Quorvel's dialogs ("MS Sans Serif", 8 points), as the
// dialog manager converts a template: MapDialogRect on a hidden dialog of the driver's own with
// the same font, since MapDialogRect does not reach another process's dialog.
#pragma once

#include <windows.h>

namespace quorvel::driver {

struct DialogBox {
    int x;
    int y;
    int width;
    int height;
};

class DialogUnits {
public:
    DialogUnits();
    ~DialogUnits();
    DialogUnits(const DialogUnits&) = delete;
    DialogUnits& operator=(const DialogUnits&) = delete;

    bool IsValid() const { return probe_ != nullptr; }
    RECT ToPixels(const DialogBox& box) const;

private:
    HWND probe_ = nullptr;
};

}  // namespace quorvel::driver
