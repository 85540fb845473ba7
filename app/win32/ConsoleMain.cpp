// QuorvelKonsole.exe: the Windows console program for package authors and careful users. It
// offers the commands of the Linux program beside the dialog: the preview, the package check,
// the history and undo; the installer itself, Quorvel.exe, takes no command line. Output is UTF-8
// (code page 65001 on the console), arguments are the ANSI code page's, the installer's own.
#include <windows.h>

#include <iostream>
#include <string>
#include <vector>

#include "app/cli/PackageCommands.h"
#include "app/cli/Program.h"

namespace {

using namespace quorvel::app;

constexpr const char* kProgram = "QuorvelKonsole";

// The console's code page, set for the program's run and restored when it ends.
class ConsoleOutputCodePage {
public:
    explicit ConsoleOutputCodePage(UINT codePage) : previous_(GetConsoleOutputCP()) {
        SetConsoleOutputCP(codePage);
    }
    ~ConsoleOutputCodePage() {
        if (previous_ != 0) {
            SetConsoleOutputCP(previous_);
        }
    }
    ConsoleOutputCodePage(const ConsoleOutputCodePage&) = delete;
    ConsoleOutputCodePage& operator=(const ConsoleOutputCodePage&) = delete;

private:
    UINT previous_;
};

}  // namespace

int main(int argc, char* argv[]) {
    const ConsoleOutputCodePage utf8(CP_UTF8);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const std::vector<cli::Command> commands = {
        {cli::kPreviewDescription,
         [](const cli::CommandLine& line) { return cli::RunPreview(kProgram, line); }},
        {cli::kCheckDescription,
         [](const cli::CommandLine& line) { return cli::RunCheck(kProgram, line, true); }},
        {cli::kHistoryDescription,
         [](const cli::CommandLine& line) { return cli::RunHistory(kProgram, line); }},
        {cli::kUndoDescription,
         [](const cli::CommandLine& line) { return cli::RunUndo(kProgram, line); }},
    };
    const int status =
        cli::RunProgram(kProgram, arguments, commands, std::cout, std::cerr, cli::kNoWinePrefix);
    std::cout.flush();
    return status;
}
