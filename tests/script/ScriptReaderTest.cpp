#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/MachineHost.h"
#include "script/ScriptReader.h"
#include "tests/support/TempTree.h"

namespace quorvel {
namespace {

using Entries = std::vector<std::string>;

platform::MachineHost host;

// What a section lookup gives: nothing when it is not found, else the entries delivered.
std::optional<Entries> ReadSection(ScriptReader& reader, const std::string& name) {
    if (!reader.FindSection(name)) {
        return std::nullopt;
    }
    Entries entries;
    std::string entry;
    while (reader.NextEntry(entry)) {
        entries.push_back(entry);
    }
    return entries;
}

class ScriptReaderTest : public ::testing::Test {
protected:
    std::optional<Entries> Read(const std::string& script, const std::string& name) {
        tree.WriteFile("InstSkript.txt", script);
        ScriptReader reader(host);
        EXPECT_TRUE(reader.Open(tree.Path("InstSkript.txt")));
        return ReadSection(reader, name);
    }

    test::TempTree tree;
};

struct SectionCase {
    const char* what;
    std::string script;
    const char* section;
    std::optional<Entries> expected;
};

TEST_F(ScriptReaderTest, SectionsAndEntries) {
    const std::string twoSections =
        "Dateinstallation\r\n{\r\n  {a >> b}\r\n}\r\nTexturskript\r\n{\r\n  {1>>x}\r\n}\r\n";
    const SectionCase cases[] = {
        {"one line", "Dateinstallation{{a>>b}{c>>d}}", "Dateinstallation", Entries{"a>>b", "c>>d"}},
        {"spread over lines, blanks around >>",
         "Dateinstallation\n{\n\t{ a >> b }\n\t{\n c\n>>\nd }\n}\n", "Dateinstallation",
         Entries{"a>>b", "c>>d"}},
        {"blanks inside names are lost", "Dateinstallation{{Mein Haus.dat>>Mein Haus.dat}}",
         "Dateinstallation", Entries{"MeinHaus.dat>>MeinHaus.dat"}},
        {"a name broken over lines is found whole", "Date\n  install ation{{a>>b}}",
         "Dateinstallation", Entries{"a>>b"}},
        {"names are case-sensitive", "dateinstallation{{a>>b}}", "Dateinstallation", std::nullopt},
        {"a title line hides the first section", "Paket Haus\nDateinstallation{{a>>b}}",
         "Dateinstallation", std::nullopt},
        {"the second section after a title is still found",
         "Paket Haus\nDateinstallation{{a>>b}}Texturskript{{1>>x}}", "Texturskript",
         Entries{"1>>x"}},
        {"sections in any order: the first", twoSections, "Dateinstallation", Entries{"a>>b"}},
        {"sections in any order: the second", twoSections, "Texturskript", Entries{"1>>x"}},
        {"only the first of two sections of one name",
         "Dateinstallation{{a>>b}}Dateinstallation{{c>>d}}", "Dateinstallation", Entries{"a>>b"}},
        {"an empty entry", "Dateinstallation{{}{a>>b}}", "Dateinstallation", Entries{"", "a>>b"}},
        {"inner braces stay", "Texturskript{{12>>a{b}c}}", "Texturskript", Entries{"12>>a{b}c"}},
        {"nested braces with blanks", "Texturskript{{a{b c} d}}", "Texturskript",
         Entries{"a{bc}d"}},
        {"a character between entries ends the section", "Dateinstallation{{a>>b}x{c>>d}}",
         "Dateinstallation", Entries{"a>>b"}},
        {"a name at the very end, no line end", "Dateinstallation{{a>>b}}Texturskript",
         "Texturskript", Entries{}},
        {"a name at the very end, with line end", "Texturskript\r\n", "Texturskript", Entries{}},
        {"a script ending inside an entry", "Dateinstallation{{a>>b}{c>>", "Dateinstallation",
         Entries{"a>>b"}},
        {"an empty script", "", "Dateinstallation", std::nullopt},
        {"whitespace only", " \r\n\t\n", "Dateinstallation", std::nullopt},
        {"a section not in the script", "Texturskript{{1>>x}}", "Dateinstallation", std::nullopt},
        {"a leading block without a name is passed over", "{{x}}Dateinstallation{{a>>b}}",
         "Dateinstallation", Entries{"a>>b"}},
        {"two blocks in a row, then the section", "A{x}{y}Dateinstallation{{a>>b}}",
         "Dateinstallation", Entries{"a>>b"}},
        {"the file ends inside a passed-over block", "Texturskript{{1>>x}", "Dateinstallation",
         std::nullopt},
    };
    for (const SectionCase& c : cases) {
        EXPECT_EQ(Read(c.script, c.section), c.expected) << c.what;
    }
}

TEST_F(ScriptReaderTest, UnbalancedBraces) {
    const SectionCase cases[] = {
        {"an entry without its closing brace takes in the rest of the body",
         "Dateinstallation{{a>>b{c>>d}}Texturskript{{1>>x}}", "Dateinstallation",
         Entries{"a>>b{c>>d}"}},
        {"a body without its closing brace ends at the next name",
         "Dateinstallation{{a>>b}Texturskript{{1>>x}}", "Dateinstallation", Entries{"a>>b"}},
        {"a name directly followed by entries reads as empty", "Dateinstallation{a>>b}{c>>d}",
         "Dateinstallation", Entries{}},
        {"a closing brace too many after an entry ends the section",
         "Dateinstallation{{a>>b}}}{c>>d}}", "Dateinstallation", Entries{"a>>b"}},
        {"a stray closing brace outside ends the name before it", "Datei}installation{{a>>b}}",
         "installation", Entries{"a>>b"}},
    };
    for (const SectionCase& c : cases) {
        EXPECT_EQ(Read(c.script, c.section), c.expected) << c.what;
    }
}

TEST_F(ScriptReaderTest, LineEndsAndCtrlZ) {
    EXPECT_EQ(Read("Dateinstallation\r\n{\r\n{a>>b}\r\n}\r\n", "Dateinstallation"),
              Entries{"a>>b"});
    // Ctrl-Z ends the script: what follows it is never read.
    EXPECT_EQ(Read("Dateinstallation{{a>>b}}\x1ATexturskript{{1>>x}}", "Texturskript"),
              std::nullopt);
    EXPECT_EQ(Read("Dateinstallation{{a>>b}\x1A{c>>d}}", "Dateinstallation"), Entries{"a>>b"});
    // Other control characters are whitespace and vanish; bytes above 0x7F are characters.
    EXPECT_EQ(Read("Dateinstallation{{H\xE4user\v.dat\f>>x}}", "Dateinstallation"),
              Entries{"H\xE4user.dat>>x"});
}

TEST_F(ScriptReaderTest, EachLookupStartsAgainFromTheBeginning) {
    tree.WriteFile("InstSkript.txt", "Texturskript{{1>>x}}Dateinstallation{{a>>b}}");
    ScriptReader reader(host);
    ASSERT_TRUE(reader.Open(tree.Path("InstSkript.txt")));
    EXPECT_EQ(ReadSection(reader, "Dateinstallation"), Entries{"a>>b"});
    EXPECT_EQ(ReadSection(reader, "Texturskript"), Entries{"1>>x"});
    EXPECT_EQ(ReadSection(reader, "Dateinstallation"), Entries{"a>>b"});
    // After the last entry the section is finished for good.
    std::string entry = "unverändert";
    EXPECT_FALSE(reader.NextEntry(entry));
    EXPECT_FALSE(reader.NextEntry(entry));
    EXPECT_TRUE(reader.Close());
    EXPECT_TRUE(reader.Close());
}

TEST_F(ScriptReaderTest, AMissingScript) {
    ScriptReader reader(host);
    EXPECT_FALSE(reader.Open(tree.Path("InstSkript.txt")));
    EXPECT_FALSE(reader.FindSection("Dateinstallation"));
    EXPECT_FALSE(reader.FindSection("Texturskript"));
}

TEST_F(ScriptReaderTest, OpenLeavesNoFileOpen) {
    tree.WriteFile("InstSkript.txt", "Dateinstallation{{a>>b}}");
    ScriptReader reader(host);
    ASSERT_TRUE(reader.Open(tree.Path("InstSkript.txt")));
    // The script changes after Open: every lookup reads the file anew.
    tree.WriteFile("InstSkript.txt", "Dateinstallation{{c>>d}}");
    EXPECT_EQ(ReadSection(reader, "Dateinstallation"), Entries{"c>>d"});
}

TEST_F(ScriptReaderTest, DeepNestingAndLongEntries) {
    const std::string deep = std::string(100000, '{') + std::string(100000, '}');
    const std::string longName(200000, 'n');
    EXPECT_EQ(Read("Texturskript{{1>>" + deep + "}}", "Texturskript"), Entries{"1>>" + deep});
    EXPECT_EQ(Read("A" + deep + longName + "{{x}}", longName), Entries{"x"});
}

}  // namespace
}  // namespace quorvel
