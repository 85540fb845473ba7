#include "app/cli/PackageCommands.h"

#include <iostream>
#include <optional>
#include <string>

#include "app/check/CheckCommand.h"
#include "app/cli/PackageFolder.h"
#include "app/cli/Program.h"
#include "app/history/HistoryCommands.h"
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

const CommandDescription kHistoryDescription = {
    "history",
    "",
    "listet die Installationen, die im Ordner von Trassimo verzeichnet sind; mit --forget N "
    "löscht es die Sicherungen der Installation N",
    0,
    {{"forget", "N"}}};

const CommandDescription kUndoDescription = {
    "undo",
    "[N]",
    "macht die Installation N rückgängig, ohne N die letzte, die es noch nicht ist (Status 1: "
    "was sich seither geändert hat, blieb)",
    1,
    {}};

namespace {

// A number N of the command line: 1 or more; nothing, with a message, for anything else.
std::optional<std::optional<std::size_t>> InstallNumber(std::string_view program,
                                                        const std::optional<std::string>& text) {
    if (!text) {
        return std::optional<std::size_t>();
    }
    std::size_t number = 0;
    const bool digits = !text->empty() && text->size() <= 9 &&
                        text->find_first_not_of("0123456789") == std::string::npos;
    if (digits) {
        number = static_cast<std::size_t>(std::stoul(*text));
    }
    if (!digits || number == 0) {
        std::cerr << program << ": Keine Nummer einer Installation: " << *text
                  << "\nMehr dazu: " << program << " --help\n";
        return std::nullopt;
    }
    return std::optional<std::size_t>(number);
}

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

int RunHistory(std::string_view program, const CommandLine& line) {
    const auto forget = InstallNumber(program, line.Value("forget"));
    if (!forget) {
        return kUsageError;
    }
    platform::MachineHost machine;
    return history::RunHistoryCommand(machine, *forget, std::cout, std::cerr);
}

int RunUndo(std::string_view program, const CommandLine& line) {
    const auto number = InstallNumber(
        program,
        line.arguments.empty() ? std::nullopt : std::optional<std::string>(line.arguments.front()));
    if (!number) {
        return kUsageError;
    }
    platform::MachineHost machine;
    return history::RunUndoCommand(machine, *number, std::cout, std::cerr);
}

}  // namespace quorvel::app::cli
