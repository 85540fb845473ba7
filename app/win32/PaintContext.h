// One WM_PAINT's device context: BeginPaint on construction, EndPaint on every way out.
#pragma once

#include <windows.h>

namespace quorvel::win32 {

class PaintContext {
public:
    explicit PaintContext(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintContext() { EndPaint(window_, &paint_); }
    PaintContext(const PaintContext&) = delete;
    PaintContext& operator=(const PaintContext&) = delete;

    HDC Dc() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

}  // namespace quorvel::win32
