// quorvel: the Linux program. Without a command it opens the installer's dialog for a package
// folder: in a window when a display can be opened, else in the terminal (QUORVEL_FRONTEND=
// terminal or =desktop forces one). The other commands are listed by --help.
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "app/FrontEndChoice.h"
#include "app/cli/PackageFolder.h"
#include "app/cli/Program.h"
#include "app/terminal/TerminalFrontEnd.h"
#include "platform/MachineHost.h"

#ifdef QUORVEL_WITH_DESKTOP
#include "app/qt/DesktopFrontEnd.h"
#endif

namespace {

using namespace quorvel;
using namespace quorvel::app;

constexpr const char* kProgram = "quorvel";

// The installer's own path as the front ends give it to the engine: in the package folder.
std::string InstallerPathIn(const std::string& packageFolder) {
    return packageFolder + "\\" + kProgram;
}

int OpenDialog(const std::string& installerPath, const char* programPath) {
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
        return terminal::RunTerminalFrontEnd(installerPath);
    }
#ifdef QUORVEL_WITH_DESKTOP
    if (qt::RunDesktopFrontEnd(programPath, installerPath) == qt::DesktopOutcome::Closed) {
        return 0;
    }
#else
    (void)programPath;
#endif
    if (request == FrontEndRequest::Desktop) {
        std::cerr << kProgram
                  << ": Keine Anzeige für den Dialog im Fenster "
                     "(QUORVEL_FRONTEND=terminal zeigt ihn im Terminal).\n";
        return 1;
    }
    return terminal::RunTerminalFrontEnd(installerPath);
}

// --prefix ORDNER: the Wine prefix every command works in, as WINEPREFIX names it.
bool UsePrefix(const std::string& folder) {
    return ::setenv("WINEPREFIX", folder.c_str(), 1) == 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const std::vector<cli::Command> commands = {
        {{"", "[PAKET]", "öffnet den Dialog, der das Paket PAKET installiert", 1, {}},
         [argv](const cli::CommandLine& line) {
             if (line.prefix && !UsePrefix(*line.prefix)) {
                 return cli::kUsageError;
             }
             platform::MachineHost machine;
             const std::optional<std::string> argument =
                 line.arguments.empty() ? std::nullopt
                                        : std::optional<std::string>(line.arguments.front());
             const std::optional<std::string> package = cli::FindPackageFolder(machine, argument);
             if (!package) {
                 std::cerr << kProgram << ": Unbekannter Befehl, und kein Paketordner: "
                           << *argument << "\nMehr dazu: " << kProgram << " --help\n";
                 return cli::kUsageError;
             }
             return OpenDialog(InstallerPathIn(*package), argv[0]);
         }},
    };
    return cli::RunProgram(kProgram, arguments, commands, std::cout, std::cerr);
}
