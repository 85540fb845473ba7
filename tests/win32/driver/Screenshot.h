// A picture of a window as the screen shows it, saved as a 24-bit BMP file.
#pragma once

#include <windows.h>

#include <string>

namespace quorvel::driver {

bool SaveWindowPicture(HWND window, const std::string& bmpPath);

}  // namespace quorvel::driver
