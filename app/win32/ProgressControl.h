// The main dialog's progress bar: a progress control of the dialog, moved by the install run.
#pragma once

#include <windows.h>

#include "platform/ProgressBar.h"

namespace quorvel::win32 {

class ProgressControl final : public platform::ProgressBar {
public:
    ProgressControl() = default;
    ProgressControl(const ProgressControl&) = delete;
    ProgressControl& operator=(const ProgressControl&) = delete;

    // Binds the object to the control once; later calls leave the first binding in place.
    void Attach(HWND control);

    void SetRange(int minimum, int maximum) override;
    void SetPosition(int position) override;

private:
    HWND control_ = nullptr;  // owned by the dialog, which destroys it
};

}  // namespace quorvel::win32
