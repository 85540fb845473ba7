#include "app/cli/CommandLine.h"

#include <algorithm>

namespace quorvel::app::cli {

namespace {

constexpr std::string_view kOptionStart = "--";

const OptionDescription* FindOption(const CommandDescription& command, std::string_view name) {
    const auto found =
        std::find_if(command.options.begin(), command.options.end(),
                     [name](const OptionDescription& option) { return option.name == name; });
    return found == command.options.end() ? nullptr : &*found;
}

const CommandDescription* FindCommand(const std::vector<CommandDescription>& commands,
                                      std::string_view name) {
    const auto found = std::find_if(
        commands.begin(), commands.end(),
        [name](const CommandDescription& description) { return description.name == name; });
    return found == commands.end() ? nullptr : &*found;
}

bool IsOption(const std::string& argument) {
    return argument.size() > kOptionStart.size() && argument.starts_with(kOptionStart);
}

// The command the first word names: the first argument that is neither an option nor the value
// of --prefix; nothing when there is no word at all or it names no command.
const CommandDescription* NamedCommand(const std::vector<std::string>& arguments,
                                       const std::vector<CommandDescription>& commands) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--") {
            return i + 1 < arguments.size() ? FindCommand(commands, arguments[i + 1]) : nullptr;
        }
        if (arguments[i] == "--prefix") {
            ++i;
            continue;
        }
        if (!IsOption(arguments[i])) {
            return FindCommand(commands, arguments[i]);
        }
    }
    return nullptr;
}

}  // namespace

std::optional<std::string> CommandLine::Value(std::string_view option) const {
    const auto found = options.find(option);
    return found == options.end() ? std::nullopt : std::optional<std::string>(found->second);
}

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments,
                                   const std::vector<CommandDescription>& commands) {
    CommandLine line;
    line.command = NamedCommand(arguments, commands);
    const bool commandNamed = line.command != nullptr && !line.command->name.empty();
    if (!commandNamed) {
        line.command = FindCommand(commands, "");
    }
    bool commandWordSeen = !commandNamed;
    bool onlyWords = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!onlyWords && argument == "--") {
            onlyWords = true;
            continue;
        }
        if (onlyWords || !IsOption(argument)) {
            if (!onlyWords && argument.size() > 1 && argument[0] == '-') {
                return {std::nullopt, "Unbekannte Option: " + argument};
            }
            if (!commandWordSeen) {
                commandWordSeen = true;  // the command's own name
            } else {
                line.arguments.push_back(argument);
            }
            continue;
        }
        const std::size_t equals = argument.find('=');
        const std::string name = argument.substr(
            kOptionStart.size(),
            equals == std::string::npos ? std::string::npos : equals - kOptionStart.size());
        std::optional<std::string> value;
        if (equals != std::string::npos) {
            value = argument.substr(equals + 1);
        }
        if (name == "help" || name == "version") {
            if (value) {
                return {std::nullopt, "Die Option --" + name + " nimmt keinen Wert."};
            }
            (name == "help" ? line.help : line.version) = true;
            continue;
        }
        const OptionDescription* description =
            line.command != nullptr ? FindOption(*line.command, name) : nullptr;
        if (name != "prefix" && description == nullptr) {
            return {std::nullopt, "Unbekannte Option: --" + name};
        }
        const bool takesValue = name == "prefix" || !description->valueName.empty();
        if (takesValue && !value) {
            if (i + 1 >= arguments.size() || IsOption(arguments[i + 1])) {
                return {std::nullopt, "Die Option --" + name + " braucht einen Wert."};
            }
            value = arguments[++i];
        } else if (!takesValue && value) {
            return {std::nullopt, "Die Option --" + name + " nimmt keinen Wert."};
        }
        if (name == "prefix") {
            line.prefix = *value;
        } else {
            line.options[name] = value.value_or(std::string());
        }
    }
    if (line.help || line.version) {
        return {std::move(line), {}};
    }
    if (line.command == nullptr) {
        return {std::nullopt, arguments.empty() ? std::string("Kein Befehl angegeben.")
                                                : "Unbekannter Befehl: " + arguments.front()};
    }
    if (line.arguments.size() > line.command->mostArguments) {
        return {std::nullopt, line.command->name.empty()
                                  ? "Unbekannter Befehl: " + line.arguments.front()
                                  : "Zu viele Angaben für den Befehl " +
                                        std::string(line.command->name) + ": " +
                                        line.arguments.back()};
    }
    return {std::move(line), {}};
}

std::string HelpText(std::string_view program, const std::vector<CommandDescription>& commands,
                     bool winePrefix) {
    std::string text = "Aufruf: " + std::string(program) + " [BEFEHL] [PAKET] [OPTIONEN]\n\n";
    text += "Befehle:\n";
    for (const CommandDescription& command : commands) {
        std::string usage = "  " + std::string(program);
        if (!command.name.empty()) {
            usage += " " + std::string(command.name);
        }
        if (!command.arguments.empty()) {
            usage += " " + std::string(command.arguments);
        }
        for (const OptionDescription& option : command.options) {
            usage += " [--" + std::string(option.name);
            if (!option.valueName.empty()) {
                usage += " " + std::string(option.valueName);
            }
            usage += "]";
        }
        text += usage + "\n      " + std::string(command.summary) + "\n";
    }
    text += "\nOptionen für jeden Befehl:\n";
    if (winePrefix) {
        text += "  --prefix ORDNER   Trassimo im Wine-Präfix ORDNER suchen\n";
    }
    text +=
        "  --help            diese Hilfe zeigen\n"
        "  --version         die Version zeigen\n";
    return text;
}

}  // namespace quorvel::app::cli
