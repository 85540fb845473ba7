// The command line of the Linux program and of the Windows console program, read into the
// command it names and that command's arguments and options. Each command declares what it
// takes (CommandDescription); what does not fit is an error that the program reports with status 2.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::app::cli {

// An option of a command: "--json", or one that takes a value: "--catalogue-out DATEI" (also
// written "--catalogue-out=DATEI").
struct OptionDescription {
    std::string_view name;       // without the leading "--"
    std::string_view valueName;  // empty for an option without a value
};

struct CommandDescription {
    std::string_view name;                   // empty for the program without a command
    std::string_view arguments;              // shown in the usage, e.g. "[PAKET]"
    std::string_view summary;                // one line for --help
    std::size_t mostArguments = 0;           // positional arguments it takes at most
    std::vector<OptionDescription> options;  // besides the options every command takes
};

struct CommandLine {
    const CommandDescription* command = nullptr;
    std::vector<std::string> arguments;
    // The command's options that were given, with their values ("" for one without a value).
    std::map<std::string, std::string, std::less<>> options;
    std::optional<std::string> prefix;  // --prefix ORDNER, which every command takes
    bool help = false;                  // --help
    bool version = false;               // --version

    bool Has(std::string_view option) const { return options.find(option) != options.end(); }
    std::optional<std::string> Value(std::string_view option) const;
};

struct ParsedCommandLine {
    std::optional<CommandLine> commandLine;
    std::string error;  // German, for standard error, when there is no command line
};

// Reads `arguments` (without the program's name). The first argument that is not an option
// names the command when one of `commands` has that name; otherwise the command without a name
// (the first in `commands` with an empty name, when there is one) takes it as its argument.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments,
                                   const std::vector<CommandDescription>& commands);

// The text of --help for `commands`, in German; `winePrefix` lists --prefix ORDNER.
std::string HelpText(std::string_view program, const std::vector<CommandDescription>& commands,
                     bool winePrefix = true);

}  // namespace quorvel::app::cli
