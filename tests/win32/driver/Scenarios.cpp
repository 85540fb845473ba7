#include "tests/win32/driver/Scenarios.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <initializer_list>
#include <string_view>
#include <utility>

#include "app/MenuLabel.h"
#include "app/MessageTable.h"
#include "platform/Application.h"
#include "tests/win32/driver/DialogChecks.h"
#include "tests/win32/driver/InstallerSession.h"
#include "tests/win32/driver/RemoteWindows.h"
#include "tests/win32/driver/Screenshot.h"
#include "tests/win32/driver/TestQueryClient.h"

namespace quorvel::driver {

namespace {

constexpr DWORD kSettleMs = 500;  // long enough for a wrongly shown second box to appear

// A message as the installer shows it: the table's text with the paths filled in, converted
// from the ANSI code page as MessageBoxA converts it.
std::wstring ExpectedMessage(unsigned id, std::initializer_list<std::string_view> paths = {}) {
    return FromCp1252(platform::FormatText(app::MessageText(id), paths));
}

// The next message box over the main dialog: captioned "Quorvel", owned by the main dialog and
// modal to it, with one of `texts` and exactly the buttons `buttons`. Null when none opened;
// `matched` tells which text it showed.
HWND ExpectMessageBox(InstallerSession& session, Checks& checks, HWND mainDialog,
                      const std::vector<std::wstring>& texts, std::initializer_list<int> buttons,
                      const std::string& what, std::size_t* matched = nullptr) {
    const HWND box = session.WaitForOwnedDialog(mainDialog);
    if (!checks.Expect(box != nullptr, what + ": a message box opens")) {
        return nullptr;
    }
    const std::wstring shown = MessageBoxText(box);
    std::size_t index = 0;
    while (index < texts.size() && texts[index] != shown) {
        ++index;
    }
    if (index == 0 || index == texts.size()) {
        checks.ExpectText(shown, texts.front(), what + ": the text");
    } else {
        checks.Expect(true, what + ": the text (a tolerated alternative)");
    }
    if (matched != nullptr) {
        *matched = index;
    }
    checks.ExpectText(TextOf(box), L"Quorvel", what + ": the caption");
    checks.Expect(!IsWindowEnabled(mainDialog), what + ": the main dialog waits (modal box)");
    int buttonCount = 0;
    for (const HWND child : ChildrenOf(box)) {
        buttonCount += ClassOf(child) == L"Button" ? 1 : 0;
    }
    bool allThere = true;
    for (const int id : buttons) {
        allThere = allThere && GetDlgItem(box, id) != nullptr;
    }
    checks.Expect(allThere && buttonCount == static_cast<int>(buttons.size()),
                  what + ": the box's buttons");
    return box;
}

// One message box, answered, and nothing else.
bool ExpectAnsweredBox(InstallerSession& session, Checks& checks, HWND mainDialog,
                       const std::wstring& text, const std::string& what) {
    const HWND box = ExpectMessageBox(session, checks, mainDialog, {text}, {IDOK}, what);
    return box != nullptr && session.Answer(box, IDOK);
}

void PressInstall(HWND mainDialog) {
    PostMessageW(GetDlgItem(mainDialog, IDOK), BM_CLICK, 0, 0);
}

void ExpectCleanExit(InstallerSession& session, Checks& checks, HWND mainDialog) {
    if (session.WaitForExit(mainDialog)) {
        checks.ExpectNumber(session.ExitCode(), 0, "the process ends with status 0");
    }
}

// Starts the installer and checks the dialog as it opens; null when it did not open.
HWND StartFresh(InstallerSession& session, Checks& checks, const ScenarioInputs& inputs) {
    if (!session.Launch(inputs.executable)) {
        return nullptr;
    }
    const HWND mainDialog = session.WaitForMainDialog();
    if (mainDialog != nullptr) {
        CheckFreshMainDialog(checks, mainDialog);
    }
    return mainDialog;
}

// 1. Trassimo not installed: message 102 on every press, nothing else, until "Abbrechen".
// Optional argument: where to save a picture of the first box (BMP).
void NotInstalled(const ScenarioInputs& inputs, Checks& checks) {
    InstallerSession session(checks);
    const HWND mainDialog = StartFresh(session, checks, inputs);
    if (mainDialog == nullptr) {
        return;
    }
    bool pictureWanted = !inputs.arguments.empty();
    for (const char* press : {"first press", "second press"}) {
        PressInstall(mainDialog);
        const HWND box =
            ExpectMessageBox(session, checks, mainDialog, {ExpectedMessage(102)}, {IDOK}, press);
        if (box == nullptr) {
            return;
        }
        if (pictureWanted) {
            Sleep(kSettleMs);  // let the box finish painting
            checks.Expect(SaveWindowPicture(box, inputs.arguments[0]),
                          "a picture of the message box is saved");
            pictureWanted = false;
        }
        if (!session.Answer(box, IDOK)) {
            return;
        }
        checks.Expect(session.NoOtherDialogFor(mainDialog, kSettleMs),
                      std::string(press) + ": exactly one box");
        checks.Expect(IsWindow(mainDialog) && IsWindowEnabled(mainDialog),
                      std::string(press) + ": the dialog stays open");
        CheckProgress(checks, mainDialog, {0, 100, 0}, std::string(press) + ": progress untouched");
    }
    PostMessageW(GetDlgItem(mainDialog, IDCANCEL), BM_CLICK, 0, 0);
    ExpectCleanExit(session, checks, mainDialog);
}

// The result messages a scenario accepts, as "104" or "104,103": the first is the one wanted,
// a further one is tolerated (and named in the output, for the test script to judge).
std::vector<unsigned> ResultMessages(const std::string& list) {
    std::vector<unsigned> messages;
    for (std::size_t start = 0; start <= list.size();) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        messages.push_back(static_cast<unsigned>(std::stoul(list.substr(start, comma - start))));
        start = comma + 1;
    }
    return messages;
}

// 2. and 5.: after the run's own boxes, the result, the progress bar at its end, the close.
void RunToResult(InstallerSession& session, Checks& checks, HWND mainDialog,
                 const std::vector<unsigned>& resultMessages) {
    std::vector<std::wstring> texts;
    for (const unsigned id : resultMessages) {
        texts.push_back(ExpectedMessage(id));
    }
    const std::string what = "result message";
    std::size_t matched = 0;
    const HWND box = ExpectMessageBox(session, checks, mainDialog, texts, {IDOK}, what, &matched);
    if (box == nullptr) {
        return;
    }
    if (matched < resultMessages.size()) {
        checks.Note("result message " + std::to_string(resultMessages[matched]));
    }
    CheckProgress(checks, mainDialog, {0, 4, 4}, what + ": the progress bar at 4 of 0..4");
    if (session.Answer(box, IDOK)) {
        ExpectCleanExit(session, checks, mainDialog);
    }
}

// 2. A full run: argument: the result messages accepted (see ResultMessages).
void InstallRun(const ScenarioInputs& inputs, Checks& checks) {
    InstallerSession session(checks);
    const HWND mainDialog = StartFresh(session, checks, inputs);
    if (mainDialog == nullptr) {
        return;
    }
    PressInstall(mainDialog);
    RunToResult(session, checks, mainDialog, ResultMessages(inputs.arguments.at(0)));
}

// 3. A read-only destination: arguments: source and destination of the refused copy.
void ReadOnlyDestination(const ScenarioInputs& inputs, Checks& checks) {
    InstallerSession session(checks);
    const HWND mainDialog = StartFresh(session, checks, inputs);
    if (mainDialog == nullptr) {
        return;
    }
    PressInstall(mainDialog);
    const std::string& source = inputs.arguments.at(0);
    const std::string& destination = inputs.arguments.at(1);
    if (ExpectAnsweredBox(session, checks, mainDialog, ExpectedMessage(105, {source, destination}),
                          "message 105")) {
        RunToResult(session, checks, mainDialog, {103});
    }
}

// The system labels the answers in the user's language: "Ja" and "Nein" on a German system.
void CheckAnswerLabels(Checks& checks, HWND question) {
    if (PRIMARYLANGID(GetUserDefaultUILanguage()) != LANG_GERMAN) {
        checks.Note("the session's language is not German: the answers' labels are not checked");
        return;
    }
    for (const auto& [id, label] : {std::pair{IDYES, L"Ja"}, std::pair{IDNO, L"Nein"}}) {
        const std::string shown = ToUtf8(TextOf(GetDlgItem(question, id)));
        checks.ExpectText(FromUtf8(app::ParseMenuLabel(shown).text), label,
                          "message 106: the German answer");
    }
}

// 4. A newer destination: arguments: yes|no, source, destination, the result message.
void NewerDestination(const ScenarioInputs& inputs, Checks& checks) {
    InstallerSession session(checks);
    const HWND mainDialog = StartFresh(session, checks, inputs);
    if (mainDialog == nullptr) {
        return;
    }
    PressInstall(mainDialog);
    const bool keep = inputs.arguments.at(0) == "yes";
    const std::string& source = inputs.arguments.at(1);
    const std::string& destination = inputs.arguments.at(2);
    const HWND question =
        ExpectMessageBox(session, checks, mainDialog, {ExpectedMessage(106, {destination, source})},
                         {IDYES, IDNO}, "message 106");
    if (question == nullptr) {
        return;
    }
    CheckAnswerLabels(checks, question);
    if (session.Answer(question, keep ? IDYES : IDNO)) {
        RunToResult(session, checks, mainDialog, ResultMessages(inputs.arguments.at(3)));
    }
}

// 5. No install script: message 103 and the close.
void NoScript(const ScenarioInputs& inputs, Checks& checks) {
    InstallerSession session(checks);
    const HWND mainDialog = StartFresh(session, checks, inputs);
    if (mainDialog != nullptr) {
        PressInstall(mainDialog);
        RunToResult(session, checks, mainDialog, {103});
    }
}

// 6. Enter on the fresh dialog installs: the default button, the focus, then a key press that
// goes through the dialog manager's own Enter handling. Argument: the result message.
void EnterInstalls(const ScenarioInputs& inputs, Checks& checks) {
    InstallerSession session(checks);
    const HWND mainDialog = StartFresh(session, checks, inputs);
    if (mainDialog == nullptr) {
        return;
    }
    const HWND install = GetDlgItem(mainDialog, IDOK);
    checks.ExpectNumber(SendWithTimeout(mainDialog, DM_GETDEFID, 0, 0), MAKELONG(IDOK, DC_HASDEFID),
                        "\"Installieren\" is the default button (DM_GETDEFID)");
    checks.Expect(GetNextDlgTabItem(mainDialog, nullptr, FALSE) == install,
                  "\"Installieren\" is the first tab stop");
    TestQueryClient query;
    const std::vector<std::wstring> report = query.Ask(mainDialog);
    checks.Expect(Contains(report, L"focus 1"), "\"Installieren\" has the keyboard focus");
    // Sent to the dialog, the key reaches IsDialogMessage in the dialog's modal loop.
    PostMessageW(mainDialog, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageW(mainDialog, WM_KEYUP, VK_RETURN, 0xC0000001);
    RunToResult(session, checks, mainDialog, ResultMessages(inputs.arguments.at(0)));
}

// 6. Escape and the close box end the dialog with no box at all.
void EndsWithoutMessage(const ScenarioInputs& inputs, Checks& checks, UINT message, WPARAM wParam,
                        LPARAM lParam) {
    InstallerSession session(checks);
    const HWND mainDialog = StartFresh(session, checks, inputs);
    if (mainDialog != nullptr) {
        PostMessageW(mainDialog, message, wParam, lParam);
        ExpectCleanExit(session, checks, mainDialog);
    }
}

void EscapeCancels(const ScenarioInputs& inputs, Checks& checks) {
    EndsWithoutMessage(inputs, checks, WM_KEYDOWN, VK_ESCAPE, 1);
}

void CloseBoxCancels(const ScenarioInputs& inputs, Checks& checks) {
    EndsWithoutMessage(inputs, checks, WM_SYSCOMMAND, SC_CLOSE, 0);
}

// 7. The system menu, the About box and the dialogs' geometry. Optional arguments: where to
// save a picture of the main dialog and one of the About box (BMP).
void SystemMenu(const ScenarioInputs& inputs, Checks& checks) {
    InstallerSession session(checks);
    const HWND mainDialog = StartFresh(session, checks, inputs);
    if (mainDialog == nullptr) {
        return;
    }
    CheckMainLayout(checks, mainDialog);
    if (!inputs.arguments.empty()) {
        Sleep(kSettleMs);  // let the dialog finish painting
        checks.Expect(SaveWindowPicture(mainDialog, inputs.arguments[0]),
                      "a picture of the main dialog is saved");
    }

    TestQueryClient query;
    const std::vector<std::wstring> report = query.Ask(mainDialog);
    CheckSystemMenuReport(checks, report);
    if (!checks.Expect(UsesCommonControls6(report),
                       "the manifest brings the common controls version 6")) {
        for (const std::wstring& line : report) {
            checks.Note("report: " + ToUtf8(line));
        }
    }

    const DialogState before = StateOf(mainDialog);
    struct AboutOpening {
        WPARAM command;
        const char* closedBy;
    };
    for (const AboutOpening opening :
         {AboutOpening{16, "OK"}, AboutOpening{17, "Escape"}, AboutOpening{31, "the close box"}}) {
        const std::string what = "system command " + std::to_string(opening.command);
        PostMessageW(mainDialog, WM_SYSCOMMAND, opening.command, 0);
        const HWND about = session.WaitForOwnedDialog(mainDialog);
        if (!checks.Expect(about != nullptr, what + " opens the About box")) {
            return;
        }
        CheckAboutBox(checks, about, mainDialog);
        if (opening.command == 16 && inputs.arguments.size() > 1) {
            Sleep(kSettleMs);
            checks.Expect(SaveWindowPicture(about, inputs.arguments[1]),
                          "a picture of the About box is saved");
        }
        if (std::string_view(opening.closedBy) == "OK") {
            PostMessageW(about, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        } else if (std::string_view(opening.closedBy) == "Escape") {
            PostMessageW(about, WM_KEYDOWN, VK_ESCAPE, 1);
        } else {
            PostMessageW(about, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        checks.Expect(session.WaitUntilGone(about),
                      what + ": the About box closes by " + opening.closedBy);
        checks.Expect(session.NoOtherDialogFor(mainDialog, kSettleMs),
                      what + ": nothing else opens");
        checks.Expect(StateOf(mainDialog) == before, what + ": the main dialog is unchanged");
        checks.Expect(query.Ask(mainDialog) == report, what + ": the system menu is unchanged");
    }
    for (const WPARAM command : {WPARAM{15}, WPARAM{32}}) {
        PostMessageW(mainDialog, WM_SYSCOMMAND, command, 0);
        checks.Expect(session.NoOtherDialogFor(mainDialog, kSettleMs),
                      "system command " + std::to_string(command) + " opens nothing");
    }
    PostMessageW(GetDlgItem(mainDialog, IDCANCEL), BM_CLICK, 0, 0);
    ExpectCleanExit(session, checks, mainDialog);
}

}  // namespace

const std::vector<NamedScenario>& AllScenarios() {
    static const std::vector<NamedScenario> scenarios = {
        {"not-installed", "[picture.bmp]", 0, &NotInstalled},
        {"install", "<result messages>", 1, &InstallRun},
        {"read-only", "<source> <destination>", 2, &ReadOnlyDestination},
        {"newer", "yes|no <source> <destination> <result messages>", 4, &NewerDestination},
        {"no-script", "", 0, &NoScript},
        {"enter", "<result messages>", 1, &EnterInstalls},
        {"escape", "", 0, &EscapeCancels},
        {"close-box", "", 0, &CloseBoxCancels},
        {"system-menu", "[main.bmp [about.bmp]]", 0, &SystemMenu},
    };
    return scenarios;
}

}  // namespace quorvel::driver
