#include "app/win32/TestQuery.h"

#include <shlwapi.h>

#include <array>

namespace quorvel::win32 {

namespace {

constexpr UINT kAnswerTimeoutMs = 5000;

// A number in decimal digits. Not std::to_wstring: that formats through the C runtime's wide
// printf, which would bring 20 KB of floating-point formatting into the program.
std::wstring Decimal(long long value) {
    const std::string digits = std::to_string(value);
    return std::wstring(digits.begin(), digits.end());
}

void AppendMenuItems(std::wstring& report, HWND dialog) {
    const HMENU menu = GetSystemMenu(dialog, FALSE);
    const int count = menu != nullptr ? GetMenuItemCount(menu) : 0;
    for (int index = 0; index < count; ++index) {
        std::array<wchar_t, 256> label{};
        MENUITEMINFOW item{};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        item.dwTypeData = label.data();
        item.cch = static_cast<UINT>(label.size() - 1);
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(index), TRUE, &item)) {
            continue;
        }
        report += L"menu " + Decimal(index);
        if ((item.fType & MFT_SEPARATOR) != 0) {
            report += L" separator\n";
        } else {
            report += L" string " + Decimal(item.wID) + L' ' + label.data() + L'\n';
        }
    }
}

void AppendFocus(std::wstring& report, HWND dialog) {
    const HWND focus = GetFocus();
    const int id = focus != nullptr && IsChild(dialog, focus) ? GetDlgCtrlID(focus) : 0;
    report += L"focus " + Decimal(id) + L'\n';
}

// The common-controls library the process uses, and where it was loaded from: the side-by-side
// version 6 when the manifest took hold.
void AppendCommonControls(std::wstring& report) {
    DLLVERSIONINFO version{};
    version.cbSize = sizeof(version);
    std::array<wchar_t, MAX_PATH> path{};
    const HMODULE library = GetModuleHandleW(L"comctl32.dll");
    if (library != nullptr) {
        const auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(
            reinterpret_cast<void*>(GetProcAddress(library, "DllGetVersion")));
        if (getVersion != nullptr) {
            getVersion(&version);
        }
        GetModuleFileNameW(library, path.data(), static_cast<DWORD>(path.size()));
    }
    report += L"comctl32 " + Decimal(version.dwMajorVersion) + L'.' +
              Decimal(version.dwMinorVersion) + L' ' + path.data() + L'\n';
}

}  // namespace

std::wstring BuildTestReport(HWND dialog) {
    std::wstring report;
    AppendMenuItems(report, dialog);
    AppendFocus(report, dialog);
    AppendCommonControls(report);
    return report;
}

void AnswerTestQuery(HWND dialog, HWND asker) {
    if (asker == nullptr || !IsWindow(asker)) {
        return;
    }
    std::wstring report = BuildTestReport(dialog);
    COPYDATASTRUCT data{};
    data.dwData = kTestReportTag;
    data.cbData = static_cast<DWORD>(report.size() * sizeof(wchar_t));
    data.lpData = report.data();
    SendMessageTimeoutW(asker, WM_COPYDATA, reinterpret_cast<WPARAM>(dialog),
                        reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                        nullptr);
}

}  // namespace quorvel::win32
