// quorvel: the Linux program. Without a command it opens the installer's dialog for a package
// folder: in a window when a display can be opened, else in the terminal (QUORVEL_FRONTEND=
// terminal or =desktop forces one). The other commands are listed by --help. Every command
// works in the Wine prefix chosen first (app/cli/PrefixSetup.h).
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "app/FrontEndChoice.h"
#include "app/cli/PackageCommands.h"
#include "app/cli/PackageFolder.h"
#include "app/cli/PrefixSetup.h"
#include "app/cli/Program.h"
#include "app/prefixes/PrefixListing.h"
#include "app/prefixes/TerminalPrefixChoice.h"
#include "app/terminal/TerminalFrontEnd.h"
#include "platform/MachineHost.h"
#include "platform/posix/Interruption.h"

#ifdef QUORVEL_WITH_DESKTOP
#include "app/qt/DesktopFrontEnd.h"
#include "app/qt/PrefixChoiceDialog.h"
#else
#include "app/cli/DesktopProgram.h"
#include "platform/CommandLinePaths.h"
#endif

namespace {

using namespace quorvel;
using namespace quorvel::app;
using platform::posix::FoundPrefix;

constexpr const char* kProgram = "quorvel";

std::optional<std::string> FirstArgument(const cli::CommandLine& line) {
    return line.arguments.empty() ? std::nullopt
                                  : std::optional<std::string>(line.arguments.front());
}

// The prefix chosen in the terminal: one line says which, several are asked for.
std::optional<FoundPrefix> ChooseInTerminal(const std::vector<FoundPrefix>& holding) {
    return ChoosePrefixInTerminal(holding, std::cin, std::cout);
}

// The prefix chosen in the terminal for a command whose standard output is its report.
std::optional<FoundPrefix> ChooseBesideReport(const std::vector<FoundPrefix>& holding) {
    return ChoosePrefixInTerminal(holding, std::cin, std::cerr);
}

// The installer's own path as the front ends give it to the engine: in the package folder of
// the command line. Nothing, with a message, when the argument names no folder.
std::optional<std::string> InstallerPath(const cli::CommandLine& line) {
    platform::MachineHost machine;
    const std::optional<std::string> package = cli::FindPackageFolder(machine, FirstArgument(line));
    if (!package) {
        std::cerr << kProgram
                  << ": Unbekannter Befehl, und kein Paketordner: " << *FirstArgument(line)
                  << "\nMehr dazu: " << kProgram << " --help\n";
        return std::nullopt;
    }
    return *package + "\\" + kProgram;
}

int OpenDialogInTerminal(const cli::CommandLine& line) {
    if (!cli::ChooseWinePrefix(line.prefix, ChooseInTerminal)) {
        return 0;  // the choice was cancelled: nothing is touched
    }
    if (cli::RefusesForeignPrefix(std::cerr)) {
        return 1;
    }
    const std::optional<std::string> installer = InstallerPath(line);
    return installer ? terminal::RunTerminalFrontEnd(*installer) : cli::kUsageError;
}

#ifndef QUORVEL_WITH_DESKTOP
// Where the Debian package installs the desktop program (set by the build).
#ifndef QUORVEL_DESKTOP_PROGRAM
#define QUORVEL_DESKTOP_PROGRAM "/usr/libexec/quorvel/quorvel-desktop"
#endif

// Replaces this process with the desktop program, given the same command line and, where it
// names no package folder and this program's own folder is the package folder, that folder:
// the desktop program's own folder is not this one's. Returns, with a message, only where the
// desktop program is missing or cannot be started.
void StartDesktopProgram(const cli::CommandLine& line, const std::vector<std::string>& arguments,
                         const char* programPath) {
    const std::optional<std::string> desktop = cli::FindDesktopProgram(QUORVEL_DESKTOP_PROGRAM);
    if (!desktop) {
        std::cerr << kProgram << ": Der Dialog im Fenster ist nicht installiert ("
                  << QUORVEL_DESKTOP_PROGRAM << " fehlt).\n";
        return;
    }
    std::vector<std::string> passed = arguments;
    if (line.arguments.empty()) {
        platform::MachineHost machine;
        const std::optional<std::string> own = cli::OwnFolder();
        if (own &&
            cli::FindPackageFolder(machine, std::nullopt) != platform::CurrentWindowsDirectory()) {
            passed.push_back(*own);
        }
    }
    const int error = cli::RunInstead(*desktop, programPath, passed);
    std::cerr << kProgram << ": Der Dialog im Fenster lässt sich nicht starten (" << *desktop
              << ": " << std::strerror(error) << ").\n";
}
#endif

int OpenDialog(const cli::CommandLine& line, const std::vector<std::string>& arguments,
               const char* programPath) {
    const char* requested = std::getenv("QUORVEL_FRONTEND");
    FrontEndRequest request = ParseFrontEndRequest(requested);
    if (request == FrontEndRequest::Unknown) {
        std::cerr << kProgram << ": QUORVEL_FRONTEND=" << requested
                  << " ist weder \"terminal\" noch \"desktop\"; die Anzeige entscheidet.\n";
        request = FrontEndRequest::Automatic;
    }
    const bool namesDisplay =
        NamesDisplay({std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"), nullptr});
    if (request == FrontEndRequest::Terminal ||
        (request == FrontEndRequest::Automatic && !namesDisplay)) {
        return OpenDialogInTerminal(line);
    }
#ifdef QUORVEL_WITH_DESKTOP
    (void)arguments;
    int status = 0;
    const auto prepare = [&line, &status]() -> std::optional<std::string> {
        const auto chooseOnDesktop = [](const std::vector<FoundPrefix>& holding) {
            return holding.size() == 1 ? std::optional<FoundPrefix>(holding.front())
                                       : qt::PrefixChoiceDialog::Choose(holding);
        };
        if (!cli::ChooseWinePrefix(line.prefix, chooseOnDesktop)) {
            return std::nullopt;
        }
        if (cli::RefusesForeignPrefix(std::cerr)) {
            status = 1;
            return std::nullopt;
        }
        std::optional<std::string> installer = InstallerPath(line);
        status = installer ? 0 : cli::kUsageError;
        return installer;
    };
    if (qt::RunDesktopFrontEnd(programPath, prepare) == qt::DesktopOutcome::Closed) {
        return status;
    }
#else
    StartDesktopProgram(line, arguments, programPath);
#endif
    if (request == FrontEndRequest::Desktop) {
        std::cerr << kProgram
                  << ": Keine Anzeige für den Dialog im Fenster "
                     "(QUORVEL_FRONTEND=terminal zeigt ihn im Terminal).\n";
        return 1;
    }
    return OpenDialogInTerminal(line);
}

int ShowPreview(const cli::CommandLine& line) {
    if (!cli::ChooseWinePrefix(line.prefix, ChooseBesideReport)) {
        return cli::kUsageError;  // no prefix chosen: no Trassimo to show the run in
    }
    if (cli::RefusesForeignPrefix(std::cerr)) {
        return 1;
    }
    return cli::RunPreview(kProgram, line);
}

// The prefix for the check, chosen without a question: the check needs no Trassimo, so with
// several prefixes holding one it checks against none of them.
std::optional<FoundPrefix> ChooseWithoutAsking(const std::vector<FoundPrefix>& holding) {
    if (holding.size() == 1) {
        return holding.front();
    }
    std::cerr << kProgram
              << ": Mehrere Wine-Präfixe enthalten Trassimo; ohne --prefix ORDNER "
                 "werden die Ziele gegen keines geprüft.\n";
    return std::nullopt;
}

int CheckPackage(const cli::CommandLine& line) {
    const bool prefixChosen = cli::ChooseWinePrefix(line.prefix, ChooseWithoutAsking);
    return cli::RunCheck(kProgram, line, prefixChosen && !cli::RefusesForeignPrefix(std::cerr));
}

// The history and undo work in the Trassimo that the install would use.
int WithPrefixChosen(const cli::CommandLine& line,
                     int (*command)(std::string_view, const cli::CommandLine&)) {
    if (!cli::ChooseWinePrefix(line.prefix, ChooseInTerminal)) {
        return cli::kUsageError;
    }
    if (cli::RefusesForeignPrefix(std::cerr)) {
        return 1;
    }
    return command(kProgram, line);
}

int ListPrefixes(const cli::CommandLine& /*line*/) {
    WritePrefixListing(std::cout, platform::posix::FindWinePrefixes(cli::SearchPlacesOfThisUser()));
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    platform::posix::HandleInterruptions();
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const std::vector<cli::Command> commands = {
        {{"", "[PAKET]", "öffnet den Dialog, der das Paket PAKET installiert", 1, {}},
         [argv, &arguments](const cli::CommandLine& line) {
             return OpenDialog(line, arguments, argv[0]);
         }},
        {cli::kPreviewDescription, ShowPreview},
        {cli::kCheckDescription, CheckPackage},
        {cli::kHistoryDescription,
         [](const cli::CommandLine& line) { return WithPrefixChosen(line, cli::RunHistory); }},
        {cli::kUndoDescription,
         [](const cli::CommandLine& line) { return WithPrefixChosen(line, cli::RunUndo); }},
        {{"prefixes",
          "",
          "listet die gefundenen Wine-Präfixe, woher sie kommen und ob sie Trassimo enthalten",
          0,
          {}},
         ListPrefixes},
    };
    return cli::RunProgram(kProgram, arguments, commands, std::cout, std::cerr);
}
