// The asking side of the main dialog's test query (app/win32/TestQuery.h): a message-only
// window of the driver that receives the dialog's WM_COPYDATA answer.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace quorvel::driver {

class TestQueryClient {
public:
    TestQueryClient();
    ~TestQueryClient();
    TestQueryClient(const TestQueryClient&) = delete;
    TestQueryClient& operator=(const TestQueryClient&) = delete;

    // The dialog's report, line by line; empty when it did not answer.
    std::vector<std::wstring> Ask(HWND dialog);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    UINT queryMessage_;
    std::wstring answer_;
};

}  // namespace quorvel::driver
