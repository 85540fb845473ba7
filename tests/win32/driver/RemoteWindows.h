// Reading and driving the windows of another process by handle, as the tests must under Xvfb
// without a window manager: no keyboard focus, no screen coordinates.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace quorvel::driver {

// The visible dialog windows (class #32770) of process `processId`.
std::vector<HWND> DialogsOf(DWORD processId);

// WM_GETTEXT across processes (GetWindowText does not reach another process's controls).
std::wstring TextOf(HWND window);
std::wstring ClassOf(HWND window);

// The child windows in creation order, which is the template's order and the tab order.
std::vector<HWND> ChildrenOf(HWND dialog);

// A sent message that gives up after a few seconds instead of hanging the driver.
LRESULT SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The message box's text: its static control 0xFFFF.
std::wstring MessageBoxText(HWND box);

// A rectangle in the client coordinates of `dialog`.
RECT RectInClient(HWND control, HWND dialog);

}  // namespace quorvel::driver
