// What the user sees of Quorvel's dialogs, checked from outside: texts, controls, layout in
// dialog units, centring, the progress bar and the system menu's report.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/win32/driver/Checks.h"

namespace quorvel::driver {

struct ProgressState {
    LRESULT low;
    LRESULT high;
    LRESULT position;
    friend bool operator==(const ProgressState&, const ProgressState&) = default;
};

// Everything of the main dialog that an About box must leave as it was.
struct DialogState {
    std::vector<std::wstring> texts;  // the title, then each control's text
    ProgressState progress;
    bool enabled;
    RECT window;
    friend bool operator==(const DialogState& a, const DialogState& b) {
        return a.texts == b.texts && a.progress == b.progress && a.enabled == b.enabled &&
               EqualRect(&a.window, &b.window);
    }
};

ProgressState ProgressOf(HWND mainDialog);
DialogState StateOf(HWND mainDialog);
bool Contains(const std::vector<std::wstring>& lines, const std::wstring& line);

void CheckProgress(Checks& checks, HWND mainDialog, const ProgressState& expected,
                   const std::string& what);
// Title, controls in order with their texts, an empty progress bar, open for input.
void CheckFreshMainDialog(Checks& checks, HWND mainDialog);
// The client size and every control's rectangle against the template, and the centring.
void CheckMainLayout(Checks& checks, HWND mainDialog);
// Title, texts, icon, OK button, size, centring over the main dialog, and modality.
void CheckAboutBox(Checks& checks, HWND about, HWND mainDialog);
// The report names the side-by-side common controls of version 6, which only the manifest's
// dependency loads (Wine's library gives 5.81 as its version either way).
bool UsesCommonControls6(const std::vector<std::wstring>& report);
// The system menu ends with a separator and the About entry, message 101, command 16.
void CheckSystemMenuReport(Checks& checks, const std::vector<std::wstring>& report);

}  // namespace quorvel::driver
