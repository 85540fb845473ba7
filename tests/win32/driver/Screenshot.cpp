#include "tests/win32/driver/Screenshot.h"

#include <fstream>
#include <vector>

namespace quorvel::driver {

namespace {

// Screen and memory device contexts and the bitmap, released on every path.
struct ScreenCopy {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = nullptr;
    ~ScreenCopy() {
        if (bitmap != nullptr) {
            DeleteObject(bitmap);
        }
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
    }
};

}  // namespace

bool SaveWindowPicture(HWND window, const std::string& bmpPath) {
    RECT rect{};
    if (!GetWindowRect(window, &rect)) {
        return false;
    }
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    ScreenCopy copy;
    copy.bitmap = CreateCompatibleBitmap(copy.screen, width, height);
    const HGDIOBJ previous = SelectObject(copy.memory, copy.bitmap);
    const bool copied =
        BitBlt(copy.memory, 0, 0, width, height, copy.screen, rect.left, rect.top, SRCCOPY) != 0;
    SelectObject(copy.memory, previous);
    if (!copied) {
        return false;
    }

    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;  // bottom-up, as BMP files keep their rows
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    info.biSizeImage = rowBytes * static_cast<DWORD>(height);
    std::vector<char> pixels(info.biSizeImage);
    if (GetDIBits(copy.memory, copy.bitmap, 0, static_cast<UINT>(height), pixels.data(),
                  reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) == 0) {
        return false;
    }
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::ofstream out(bmpPath, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info), sizeof(info));
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    return static_cast<bool>(out);
}

}  // namespace quorvel::driver
