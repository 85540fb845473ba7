#include "app/cli/PackageCommands.h"

#include <iostream>
#include <optional>
#include <string>

#include "app/check/CheckCommand.h"
#include "app/cli/PackageFolder.h"
#include "app/cli/Program.h"
#include "app/preview/PreviewCommand.h"
#include "platform/MachineHost.h"

namespace quorvel::app::cli {

const CommandDescription kPreviewDescription = {
    "preview",
    "[PAKET]",
    "zeigt, was die Installation des Pakets täte, ohne etwas zu schreiben",
    1,
    {{"json", ""}, {"catalogue-out", "DATEI"}}};

const CommandDescription kCheckDescription = {
    "check",
    "[PAKET]",
    "prüft das Paket für seinen Autor: Skript, Dateien und, wo Trassimo gefunden wird, die Ziele "
    "(Status 0: nichts gefunden, 1: Warnungen, 2: Fehler)",
    1,
    {{"json", ""}}};

namespace {

// The package folder of the command line, with the machine pointed at it as the installer's
// own folder; nothing, with a message, when the argument names no folder.
std::optional<std::string> PreparePackage(std::string_view program, const CommandLine& line,
                                          platform::MachineHost& machine) {
    const std::optional<std::string> argument =
        line.arguments.empty() ? std::nullopt : std::optional<std::string>(line.arguments[0]);
    const std::optional<std::string> package = FindPackageFolder(machine, argument);
    if (!package) {
        std::cerr << program << ": Unbekannter Befehl, und kein Paketordner: " << *argument
                  << "\nMehr dazu: " << program << " --help\n";
        return std::nullopt;
    }
    machine.SetInstallerPath(*package + "\\" + std::string(program));
    return package;
}

}  // namespace

int RunPreview(std::string_view program, const CommandLine& line) {
    platform::MachineHost machine;
    if (!PreparePackage(program, line, machine)) {
        return kUsageError;
    }
    return preview::RunPreviewCommand(machine, {line.Has("json"), line.Value("catalogue-out")},
                                      std::cout, std::cerr);
}

int RunCheck(std::string_view program, const CommandLine& line, bool againstTrassimo) {
    platform::MachineHost machine;
    const std::optional<std::string> package = PreparePackage(program, line, machine);
    if (!package) {
        return kUsageError;
    }
    return check::RunCheckCommand(machine, *package, {line.Has("json"), againstTrassimo}, std::cout,
                                  std::cerr);
}

}  // namespace quorvel::app::cli
