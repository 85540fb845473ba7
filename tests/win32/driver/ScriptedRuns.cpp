#include "tests/win32/driver/ScriptedRuns.h"

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <vector>

#include "tests/win32/driver/InstallerSession.h"
#include "tests/win32/driver/RemoteWindows.h"

namespace quorvel::driver {

namespace {

constexpr DWORD kBoxTimeoutMs = 30000;  // the longest a run may work between two boxes
constexpr DWORD kPollMs = 20;

struct ScriptedRun {
    std::string name;
    std::string appPath;
    std::string executable;
    std::string answers;
};

std::vector<ScriptedRun> ReadRunList(const std::string& path) {
    std::vector<ScriptedRun> runs;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (std::size_t tab = line.find('\t'); tab != std::string::npos;
             tab = line.find('\t', start)) {
            fields.push_back(line.substr(start, tab - start));
            start = tab + 1;
        }
        fields.push_back(line.substr(start));
        if (fields.size() == 4) {
            runs.push_back({fields[0], fields[1], fields[2], fields[3] == "-" ? "" : fields[3]});
        }
    }
    return runs;
}

bool SetTrassimoPath(const std::string& appPath) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, "Software\\Halvenwerk\\TRZX", 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const LONG status =
        RegSetValueExA(key, "AppPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(appPath.c_str()),
                       static_cast<DWORD>(appPath.size() + 1));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

std::string Escaped(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
            case '\\':
                escaped += "\\\\";
                break;
            case '\n':
                escaped += "\\n";
                break;
            case '\r':
                escaped += "\\r";
                break;
            case '\t':
                escaped += "\\t";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

// The next box over `mainDialog`, or null once the installer has ended (or after the timeout,
// with the installer still running: `timedOut` tells).
HWND NextBoxOrEnd(InstallerSession& session, HWND mainDialog, bool& timedOut) {
    const ULONGLONG deadline = GetTickCount64() + kBoxTimeoutMs;
    timedOut = false;
    while (session.ExitCode() == STILL_ACTIVE) {
        for (const HWND candidate : DialogsOf(session.ProcessId())) {
            if (candidate != mainDialog && GetWindow(candidate, GW_OWNER) == mainDialog) {
                return candidate;
            }
        }
        if (GetTickCount64() > deadline) {
            timedOut = true;
            return nullptr;
        }
        Sleep(kPollMs);
    }
    return nullptr;
}

// Plays one run; returns what went wrong, or an empty text.
std::string PlayRun(const ScriptedRun& run, std::FILE* out, Checks& checks) {
    if (!SetTrassimoPath(run.appPath)) {
        return "the registry value could not be written";
    }
    InstallerSession session(checks);
    if (!session.Launch(run.executable)) {
        return "the installer did not start";
    }
    const HWND mainDialog = session.WaitForMainDialog();
    if (mainDialog == nullptr) {
        return "the main dialog did not open";
    }
    PostMessageW(GetDlgItem(mainDialog, IDOK), BM_CLICK, 0, 0);
    std::size_t nextAnswer = 0;
    while (true) {
        bool timedOut = false;
        const HWND box = NextBoxOrEnd(session, mainDialog, timedOut);
        if (box == nullptr) {
            if (timedOut) {
                return "no box and no end within the time";
            }
            break;
        }
        std::fprintf(out, "message %s\n", Escaped(ToUtf8(MessageBoxText(box))).c_str());
        int button = IDOK;
        if (GetDlgItem(box, IDYES) != nullptr) {
            const char answer = nextAnswer < run.answers.size() ? run.answers[nextAnswer] : 'j';
            ++nextAnswer;
            button = answer == 'n' ? IDNO : IDYES;
        }
        if (!session.Answer(box, button)) {
            return "a box did not close when answered";
        }
    }
    std::fprintf(out, "end %s %lu\n", run.name.c_str(), session.ExitCode());
    return "";
}

}  // namespace

int PlayScriptedRuns(const std::string& runList, const std::string& report, Checks& checks) {
    const std::vector<ScriptedRun> runs = ReadRunList(runList);
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::fopen(report.c_str(), "wb"),
                                                              &std::fclose);
    if (!checks.Expect(out != nullptr, "the report can be written") ||
        !checks.Expect(!runs.empty(), "the run list names runs")) {
        return 1;
    }
    for (const ScriptedRun& run : runs) {
        std::fprintf(out.get(), "run %s\n", run.name.c_str());
        const std::string failure = PlayRun(run, out.get(), checks);
        if (!failure.empty()) {
            std::fprintf(out.get(), "failed %s %s\n", run.name.c_str(), failure.c_str());
            checks.Expect(false, run.name + ": " + failure);
        }
        std::fflush(out.get());
    }
    return checks.Failures() == 0 ? 0 : 1;
}

}  // namespace quorvel::driver
