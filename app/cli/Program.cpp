#include "app/cli/Program.h"

#include <algorithm>

#include "app/Version.h"

namespace quorvel::app::cli {

int RunProgram(std::string_view program, const std::vector<std::string>& arguments,
               const std::vector<Command>& commands, std::ostream& out, std::ostream& err,
               WinePrefixOption prefixOption) {
    const bool takesPrefix = prefixOption == WinePrefixOption::kTaken;
    std::vector<CommandDescription> descriptions;
    for (const Command& command : commands) {
        descriptions.push_back(command.description);
    }
    ParsedCommandLine parsed = ParseCommandLine(arguments, descriptions);
    if (parsed.commandLine && parsed.commandLine->prefix && !takesPrefix) {
        parsed = {std::nullopt, "Unbekannte Option: --prefix"};
    }
    if (!parsed.commandLine) {
        err << program << ": " << parsed.error << "\n"
            << "Mehr dazu: " << program << " --help\n";
        return kUsageError;
    }
    const CommandLine& line = *parsed.commandLine;
    if (line.help) {
        out << HelpText(program, descriptions, takesPrefix);
        return 0;
    }
    if (line.version) {
        out << program << " " << QUORVEL_VERSION << "\n";
        return 0;
    }
    const auto command = std::find_if(commands.begin(), commands.end(), [&](const Command& c) {
        return c.description.name == line.command->name;
    });
    return command->run(line);
}

}  // namespace quorvel::app::cli
