// A query for the end-to-end tests, answered by the main dialog. Under Wine a process cannot
// read another process's system menu (GetSystemMenu gives null), so a test driver asks the
// dialog itself: it sends the registered message kTestQueryMessageName with its own window in
// wParam, and the dialog answers with one WM_COPYDATA tagged kTestReportTag whose data is UTF-16
// text, one fact per line:
//   menu <index> separator
//   menu <index> string <command id> <label as stored, with its & marker>
//   focus <control id of the window with the keyboard focus, 0 when none of the dialog's>
//   comctl32 <major>.<minor> <path of the library loaded>
// The query only reads; it changes nothing and shows nothing.
#pragma once

#include <windows.h>

#include <string>

namespace quorvel::win32 {

inline constexpr wchar_t kTestQueryMessageName[] = L"Quorvel.TestQuery.1";
inline constexpr ULONG_PTR kTestReportTag = 0x51564C31;  // "QVL1"

// The report on `dialog`, as AnswerTestQuery sends it.
std::wstring BuildTestReport(HWND dialog);

// Sends the report on `dialog` to `asker`, if that is a window.
void AnswerTestQuery(HWND dialog, HWND asker);

}  // namespace quorvel::win32
