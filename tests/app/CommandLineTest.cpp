#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/cli/CommandLine.h"

namespace quorvel::app::cli {
namespace {

const std::vector<CommandDescription> kCommands = {
    {"", "[PAKET]", "Dialog", 1, {}},
    {"preview", "[PAKET]", "Vorschau", 1, {{"json", ""}, {"catalogue-out", "DATEI"}}},
    {"undo", "[N]", "Rückgängig", 1, {}},
};

using Options = std::map<std::string, std::string, std::less<>>;

struct Expected {
    Expected(std::string commandName, std::vector<std::string> args = {}, Options opts = {},
             std::optional<std::string> prefixFolder = std::nullopt, bool helpAsked = false,
             bool versionAsked = false)
        : command(std::move(commandName)),
          arguments(std::move(args)),
          options(std::move(opts)),
          prefix(std::move(prefixFolder)),
          help(helpAsked),
          version(versionAsked) {}

    std::string command;
    std::vector<std::string> arguments;
    Options options;
    std::optional<std::string> prefix;
    bool help;
    bool version;
};

TEST(CommandLine, ReadsCommandsArgumentsAndOptions) {
    struct Case {
        std::vector<std::string> arguments;
        Expected expected;
    };
    const Case cases[] = {
        {{}, {""}},
        {{"Paket"}, {"", {"Paket"}}},
        {{"preview", "P", "--json"}, {"preview", {"P"}, {{"json", ""}}}},
        {{"--json", "preview"}, {"preview", {}, {{"json", ""}}}},
        {{"preview", "--catalogue-out", "k.txt", "P"},
         {"preview", {"P"}, {{"catalogue-out", "k.txt"}}}},
        {{"preview", "--catalogue-out=k.txt"}, {"preview", {}, {{"catalogue-out", "k.txt"}}}},
        {{"preview", "--catalogue-out="}, {"preview", {}, {{"catalogue-out", ""}}}},
        {{"--prefix", "/p", "preview"}, {"preview", {}, {}, "/p"}},
        {{"--prefix=/p"}, {"", {}, {}, "/p"}},
        {{"preview", "--prefix", "preview"}, {"preview", {}, {}, "preview"}},
        {{"--", "--seltsam"}, {"", {"--seltsam"}}},
        {{"undo", "--", "-3"}, {"undo", {"-3"}}},
        {{"preview", "--help"}, {"preview", {}, {}, std::nullopt, true}},
        {{"--bogus", "--version"}, {"", {}, {}, std::nullopt, false, true}},
        {{"-"}, {"", {"-"}}},  // a lone dash is a name
    };
    for (const Case& c : cases) {
        const std::string call = ::testing::PrintToString(c.arguments);
        const ParsedCommandLine parsed = ParseCommandLine(c.arguments, kCommands);
        if (c.expected.version) {
            // An unknown option before --version is an error all the same.
            EXPECT_FALSE(parsed.commandLine) << call;
            continue;
        }
        ASSERT_TRUE(parsed.commandLine) << call << ": " << parsed.error;
        const CommandLine& line = *parsed.commandLine;
        EXPECT_EQ(line.command->name, c.expected.command) << call;
        EXPECT_EQ(line.arguments, c.expected.arguments) << call;
        EXPECT_EQ(line.options, c.expected.options) << call;
        EXPECT_EQ(line.prefix, c.expected.prefix) << call;
        EXPECT_EQ(line.help, c.expected.help) << call;
    }
}

TEST(CommandLine, WhatItCannotReadIsAnError) {
    struct Case {
        std::vector<std::string> arguments;
        std::string error;
    };
    const Case cases[] = {
        {{"--bogus"}, "Unbekannte Option: --bogus"},
        {{"-x"}, "Unbekannte Option: -x"},
        {{"--json"}, "Unbekannte Option: --json"},  // the dialog takes no --json
        {{"undo", "--json"}, "Unbekannte Option: --json"},
        {{"preview", "--catalogue-out"}, "Die Option --catalogue-out braucht einen Wert."},
        {{"preview", "--catalogue-out", "--json"},
         "Die Option --catalogue-out braucht einen Wert."},
        {{"preview", "--json=ja"}, "Die Option --json nimmt keinen Wert."},
        {{"--version=2"}, "Die Option --version nimmt keinen Wert."},
        {{"--prefix"}, "Die Option --prefix braucht einen Wert."},
        {{"undo", "3", "4"}, "Zu viele Angaben für den Befehl undo: 4"},
        {{"previw", "P"}, "Unbekannter Befehl: previw"},
    };
    for (const Case& c : cases) {
        const ParsedCommandLine parsed = ParseCommandLine(c.arguments, kCommands);
        EXPECT_FALSE(parsed.commandLine) << ::testing::PrintToString(c.arguments);
        EXPECT_EQ(parsed.error, c.error) << ::testing::PrintToString(c.arguments);
    }
}

TEST(CommandLine, TheHelpNamesEveryCommandAndItsOptions) {
    const std::string help = HelpText("quorvel", kCommands);
    EXPECT_TRUE(help.starts_with("Aufruf: quorvel [BEFEHL] [PAKET] [OPTIONEN]\n"));
    EXPECT_NE(help.find("  quorvel [PAKET]\n      Dialog\n"), std::string::npos);
    EXPECT_NE(help.find("  quorvel preview [PAKET] [--json] [--catalogue-out DATEI]\n"),
              std::string::npos);
    EXPECT_NE(help.find("--prefix ORDNER"), std::string::npos);
}

}  // namespace
}  // namespace quorvel::app::cli
