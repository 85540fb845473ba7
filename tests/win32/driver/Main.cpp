// The test driver: plays one scenario against Quorvel.exe, checks that a file is really
// write-protected for the Wine session (root would write through the protection), or plays a
// list of answered runs for the differential test (ScriptedRuns.h).
//   quorvel-driver <scenario> <Quorvel.exe> [arguments]
//   quorvel-driver refuses-write <file>
//   quorvel-driver hold-lock <file> <seconds>   (the installer's file lock, as another run)
//   quorvel-driver scripted-runs <run list> <report>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/MachineHost.h"
#include "tests/win32/driver/Scenarios.h"
#include "tests/win32/driver/ScriptedRuns.h"

namespace {

int RefusesWrite(const char* path, quorvel::driver::Checks& checks) {
    const HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const DWORD error = GetLastError();
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
    }
    checks.Expect(file == INVALID_HANDLE_VALUE && error == ERROR_ACCESS_DENIED,
                  std::string("writing ") + path + " is refused");
    return checks.Failures() == 0 ? 0 : 1;
}

// Holds the lock an install run takes on the catalogue (platform/Host.h) for `seconds`, and
// says so on its first line as soon as it holds it.
int HoldLock(const char* path, const char* seconds) {
    quorvel::platform::MachineHost host;
    const quorvel::platform::Result<quorvel::platform::UniqueFile> lock =
        host.LockFileExclusively(path);
    if (!lock) {
        std::printf("not held: %lu\n", static_cast<unsigned long>(Win32Number(lock.Error())));
        return 1;
    }
    std::printf("held\n");
    std::fflush(stdout);
    Sleep(static_cast<DWORD>(std::atoi(seconds)) * 1000);
    return 0;
}

int Usage() {
    std::fprintf(stderr, "usage: quorvel-driver refuses-write <file>\n");
    std::fprintf(stderr, "       quorvel-driver scripted-runs <run list> <report>\n");
    std::fprintf(stderr, "       quorvel-driver hold-lock <file> <seconds>\n");
    for (const auto& scenario : quorvel::driver::AllScenarios()) {
        std::fprintf(stderr, "       quorvel-driver %s <Quorvel.exe> %s\n", scenario.name,
                     scenario.usage);
    }
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    quorvel::driver::Checks checks;
    if (argc == 3 && std::string_view(argv[1]) == "refuses-write") {
        return RefusesWrite(argv[2], checks);
    }
    if (argc == 4 && std::string_view(argv[1]) == "hold-lock") {
        return HoldLock(argv[2], argv[3]);
    }
    if (argc == 4 && std::string_view(argv[1]) == "scripted-runs") {
        return quorvel::driver::PlayScriptedRuns(argv[2], argv[3], checks);
    }
    if (argc < 3) {
        return Usage();
    }
    for (const auto& scenario : quorvel::driver::AllScenarios()) {
        if (std::string_view(argv[1]) != scenario.name) {
            continue;
        }
        const quorvel::driver::ScenarioInputs inputs{argv[2], {argv + 3, argv + argc}};
        if (inputs.arguments.size() < scenario.argumentCount) {
            return Usage();
        }
        scenario.run(inputs, checks);
        std::printf("# %s: %d failed\n", scenario.name, checks.Failures());
        return checks.Failures() == 0 ? 0 : 1;
    }
    return Usage();
}
