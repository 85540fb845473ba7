#include "tests/win32/driver/TestQueryClient.h"

#include <sstream>

#include "app/win32/TestQuery.h"
#include "tests/win32/driver/RemoteWindows.h"

namespace quorvel::driver {

namespace {
constexpr wchar_t kClassName[] = L"QuorvelDriverTestQuery";
}  // namespace

TestQueryClient::TestQueryClient()
    : queryMessage_(RegisterWindowMessageW(win32::kTestQueryMessageName)) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &TestQueryClient::WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClassName;
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              windowClass.hInstance, nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TestQueryClient::~TestQueryClient() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

std::vector<std::wstring> TestQueryClient::Ask(HWND dialog) {
    answer_.clear();
    SendWithTimeout(dialog, queryMessage_, reinterpret_cast<WPARAM>(window_), 0);
    std::vector<std::wstring> lines;
    std::wistringstream text(answer_);
    for (std::wstring line; std::getline(text, line);) {
        lines.push_back(line);
    }
    return lines;
}

LRESULT CALLBACK TestQueryClient::WindowProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    auto* client = reinterpret_cast<TestQueryClient*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_COPYDATA && client != nullptr) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (data->dwData == win32::kTestReportTag) {
            client->answer_.assign(static_cast<const wchar_t*>(data->lpData),
                                   data->cbData / sizeof(wchar_t));
            return TRUE;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace quorvel::driver
