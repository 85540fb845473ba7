#include "tests/win32/driver/DialogChecks.h"

#include <commctrl.h>

#include <cstdlib>
#include <span>
#include <sstream>

#include "app/DialogTexts.h"
#include "app/MenuLabel.h"
#include "app/MessageTable.h"
#include "tests/win32/driver/DialogUnits.h"
#include "tests/win32/driver/RemoteWindows.h"

namespace quorvel::driver {

namespace {

constexpr int kCentringTolerance = 1;  // pixels: halving an odd size may round either way

struct ExpectedControl {
    const wchar_t* className;
    int id;
    const char* text;  // UTF-8; null: not compared (an icon control)
    DialogBox box;
};

// The templates' controls in their order, which is also the tab order.
const ExpectedControl kMainControls[] = {
    {L"Button", IDOK, "Installieren", {48, 86, 50, 14}},
    {L"Button", IDCANCEL, "Abbrechen", {132, 86, 50, 14}},
    {L"Static",
     -1,
     "Dieses Programm installiert zusätzliche Modelle zum Programm Trassimo (TRZ).",
     {7, 7, 221, 35}},
    {L"msctls_progress32", 1000, "Progress1", {7, 37, 221, 21}},
};
const ExpectedControl kAboutControls[] = {
    {L"Static", -1, nullptr, {11, 17, 20, 20}},
    {L"Static", -1, "Quorvel Version 1.0", {40, 10, 119, 8}},
    {L"Static", -1, QUORVEL_ABOUT_NOTICE, {40, 25, 119, 8}},
    {L"Button", IDOK, "OK", {178, 7, 50, 14}},
};
constexpr DialogBox kMainClient{0, 0, 235, 107};
constexpr DialogBox kAboutClient{0, 0, 235, 55};

bool SameId(HWND control, int expected) {
    // A classic template stores -1 as the 16-bit 0xFFFF, an extended one as 32 bits.
    return (GetDlgCtrlID(control) & 0xFFFF) == (expected & 0xFFFF);
}

std::string Describe(const RECT& rect) {
    std::ostringstream text;
    text << "(" << rect.left << "," << rect.top << ")-(" << rect.right << "," << rect.bottom << ")";
    return text.str();
}

void ExpectRect(Checks& checks, const RECT& actual, const RECT& expected, const std::string& what) {
    if (!checks.Expect(EqualRect(&actual, &expected) != FALSE, what)) {
        checks.Note("expected " + Describe(expected) + ", got " + Describe(actual));
    }
}

void CheckControls(Checks& checks, HWND dialog, std::span<const ExpectedControl> expected,
                   const DialogUnits* units, const std::string& what) {
    const std::vector<HWND> children = ChildrenOf(dialog);
    if (!checks.ExpectNumber(static_cast<long long>(children.size()),
                             static_cast<long long>(expected.size()), what + ": control count")) {
        return;
    }
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const ExpectedControl& control = expected[i];
        const HWND child = children[i];
        const std::string name = what + ": control " + std::to_string(i + 1);
        checks.Expect(
            lstrcmpiW(ClassOf(child).c_str(), control.className) == 0 && SameId(child, control.id),
            name + " class and id");
        if (control.text != nullptr) {
            checks.ExpectText(TextOf(child), FromUtf8(control.text), name + " text");
        }
        if (units == nullptr) {
            continue;
        }
        RECT expectedRect = units->ToPixels(control.box);
        if (control.text == nullptr) {
            // An icon control takes the icon's own size.
            expectedRect.right = expectedRect.left + GetSystemMetrics(SM_CXICON);
            expectedRect.bottom = expectedRect.top + GetSystemMetrics(SM_CYICON);
            checks.Expect(SendWithTimeout(child, STM_GETICON, 0, 0) != 0, name + " shows an icon");
        }
        ExpectRect(checks, RectInClient(child, dialog), expectedRect, name + " rectangle");
    }
}

void CheckClientSize(Checks& checks, HWND dialog, const DialogUnits& units, const DialogBox& size,
                     const std::string& what) {
    RECT client{};
    GetClientRect(dialog, &client);
    ExpectRect(checks, client, units.ToPixels(size), what + ": client area in dialog units");
}

// Centred over `reference` (or the work area), within a pixel.
void CheckCentred(Checks& checks, HWND window, const RECT& reference, const std::string& what) {
    RECT rect{};
    GetWindowRect(window, &rect);
    const int dx = (rect.left + rect.right) - (reference.left + reference.right);
    const int dy = (rect.top + rect.bottom) - (reference.top + reference.bottom);
    if (!checks.Expect(
            std::abs(dx) <= 2 * kCentringTolerance && std::abs(dy) <= 2 * kCentringTolerance,
            what)) {
        checks.Note("window " + Describe(rect) + ", reference " + Describe(reference));
    }
}

}  // namespace

ProgressState ProgressOf(HWND mainDialog) {
    const HWND bar = GetDlgItem(mainDialog, 1000);
    return {SendWithTimeout(bar, PBM_GETRANGE, TRUE, 0),
            SendWithTimeout(bar, PBM_GETRANGE, FALSE, 0), SendWithTimeout(bar, PBM_GETPOS, 0, 0)};
}

DialogState StateOf(HWND mainDialog) {
    DialogState state{
        {TextOf(mainDialog)}, ProgressOf(mainDialog), IsWindowEnabled(mainDialog) != 0, {}};
    for (const HWND child : ChildrenOf(mainDialog)) {
        state.texts.push_back(TextOf(child));
    }
    GetWindowRect(mainDialog, &state.window);
    return state;
}

bool Contains(const std::vector<std::wstring>& lines, const std::wstring& line) {
    for (const std::wstring& candidate : lines) {
        if (candidate == line) {
            return true;
        }
    }
    return false;
}

void CheckProgress(Checks& checks, HWND mainDialog, const ProgressState& expected,
                   const std::string& what) {
    const ProgressState actual = ProgressOf(mainDialog);
    if (!checks.Expect(actual == expected, what)) {
        checks.Note("range " + std::to_string(actual.low) + ".." + std::to_string(actual.high) +
                    ", position " + std::to_string(actual.position));
    }
}

void CheckFreshMainDialog(Checks& checks, HWND mainDialog) {
    checks.ExpectText(TextOf(mainDialog), L"Quorvel", "the main dialog's title");
    CheckControls(checks, mainDialog, kMainControls, nullptr, "main dialog");
    CheckProgress(checks, mainDialog, {0, 100, 0}, "the progress bar starts empty");
    checks.Expect(IsWindowEnabled(mainDialog) != 0, "the main dialog takes input");
}

void CheckMainLayout(Checks& checks, HWND mainDialog) {
    const DialogUnits units;
    if (!checks.Expect(units.IsValid(), "dialog units can be measured")) {
        return;
    }
    CheckClientSize(checks, mainDialog, units, kMainClient, "main dialog");
    CheckControls(checks, mainDialog, kMainControls, &units, "main dialog");
    const LONG style = GetWindowLongW(mainDialog, GWL_STYLE);
    checks.Expect((style & (WS_CAPTION | WS_SYSMENU)) == (WS_CAPTION | WS_SYSMENU) &&
                      (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME)) == 0,
                  "main dialog: title bar and close box, no minimise, maximise or sizing");
    checks.Expect((GetWindowLongW(mainDialog, GWL_EXSTYLE) & WS_EX_APPWINDOW) != 0,
                  "main dialog: its own task-bar button");
    RECT workArea{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    CheckCentred(checks, mainDialog, workArea, "main dialog: centred on the work area");
}

void CheckAboutBox(Checks& checks, HWND about, HWND mainDialog) {
    checks.ExpectText(TextOf(about), L"Info über Quorvel", "About box: title");
    checks.Expect(GetWindow(about, GW_OWNER) == mainDialog && !IsWindowEnabled(mainDialog),
                  "About box: modal over the main dialog");
    const DialogUnits units;
    CheckClientSize(checks, about, units, kAboutClient, "About box");
    CheckControls(checks, about, kAboutControls, &units, "About box");
    RECT owner{};
    GetWindowRect(mainDialog, &owner);
    CheckCentred(checks, about, owner, "About box: centred over the main dialog");
}

bool UsesCommonControls6(const std::vector<std::wstring>& report) {
    for (std::wstring line : report) {
        CharLowerW(line.data());
        if (line.rfind(L"comctl32 ", 0) == 0 && line.find(L"\\winsxs\\") != std::wstring::npos &&
            line.find(L"common-controls_6595b64144ccf1df_6.0.") != std::wstring::npos) {
            return true;
        }
    }
    return false;
}

void CheckSystemMenuReport(Checks& checks, const std::vector<std::wstring>& report) {
    std::vector<std::wstring> items;
    for (const std::wstring& line : report) {
        if (line.rfind(L"menu ", 0) == 0) {
            items.push_back(line.substr(line.find(L' ', 5) + 1));
        }
    }
    if (!checks.Expect(items.size() > 2, "the system menu holds the system's entries and ours")) {
        return;
    }
    checks.ExpectText(items[items.size() - 2], L"separator", "system menu: a separator");
    const std::wstring prefix = L"string 16 ";
    const std::wstring& last = items.back();
    if (!checks.Expect(last.rfind(prefix, 0) == 0, "system menu: last entry, command 16")) {
        checks.Note("last entry: " + ToUtf8(last));
        return;
    }
    const std::wstring label = last.substr(prefix.size());
    checks.ExpectText(label, FromUtf8(app::MessageUtf8(app::kMessageAboutEntry)),
                      "system menu: labelled with message 101");
    const app::MenuLabel shown = app::ParseMenuLabel(ToUtf8(label));
    checks.ExpectText(FromUtf8(shown.text), L"Info über Quorvel...",
                      "system menu: shown as \"Info über Quorvel...\"");
    checks.Expect(shown.Key() == 'o', "system menu: access key o");
}

}  // namespace quorvel::driver
