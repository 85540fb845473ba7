#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "platform/MachineHost.h"
#include "script/ScriptOutline.h"
#include "script/ScriptReader.h"
#include "tests/support/TempTree.h"

namespace quorvel {
namespace {

struct Delivered {
    std::string text;
    std::size_t line;
    bool operator==(const Delivered&) const = default;
};
using Section = std::optional<std::vector<Delivered>>;

platform::MachineHost host;

Section ReadWithReader(const test::TempTree& tree, const std::string& name) {
    ScriptReader reader(host);
    if (!reader.Open(tree.Path("InstSkript.txt")) || !reader.FindSection(name)) {
        return std::nullopt;
    }
    std::vector<Delivered> entries;
    std::string entry;
    while (reader.NextEntry(entry)) {
        entries.push_back({entry, reader.EntryLine()});
    }
    return entries;
}

Section ReadWithOutline(const ScriptOutline& outline, const std::string& name) {
    const ScriptName* found = outline.Find(name);
    if (found == nullptr) {
        return std::nullopt;
    }
    std::vector<Delivered> entries;
    for (const ScriptEntry& entry : outline.SectionAfter(*found).entries) {
        if (entry.complete) {
            entries.push_back({entry.text, entry.line});
        }
    }
    return entries;
}

// The two known sections and every other name the outline saw, each looked up by both.
void ExpectSameReading(const test::TempTree& tree, const std::string& script) {
    tree.WriteFile("InstSkript.txt", script);
    const ScriptOutline outline(script);
    std::set<std::string> names = {"Dateinstallation", "Texturskript"};
    for (const ScriptName& name : outline.Names()) {
        if (!name.text.empty() && names.size() < 8) {
            names.insert(name.text);
        }
    }
    for (const std::string& name : names) {
        ASSERT_EQ(ReadWithReader(tree, name), ReadWithOutline(outline, name))
            << "section " << name << " of the script:\n"
            << script;
    }
}

// Scripts made of the pieces that matter to the structure, in any order and number.
std::string GeneratedScript(std::mt19937& random) {
    static const std::vector<std::string> pieces = {
        "Dateinstallation",
        "Texturskript",
        "{",
        "}",
        "{",
        "}",
        "{a>>b}",
        "{1>>Textur{id(1)}}",
        " ",
        "\n",
        "\r\n",
        "\t",
        "x",
        ">>",
        "Titel",
        "\x1a",
        "Date",
        "installation",
        "Textur",
        "\v",
        "\f",
        "{}",
        "Ü",
        "dateinstallation",
    };
    std::uniform_int_distribution<std::size_t> length(0, 40);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::string script;
    for (std::size_t i = length(random); i > 0; --i) {
        script += pieces[pick(random)];
    }
    return script;
}

TEST(ScriptOutlineTest, ReadsEverySectionAsTheReaderDoes) {
    test::TempTree tree;
    std::mt19937 random(20261209);
    for (int i = 0; i < 1500; ++i) {
        ExpectSameReading(tree, GeneratedScript(random));
        if (HasFatalFailure()) {
            return;
        }
    }
}

#ifdef QUORVEL_SCRIPT_CORPUS
TEST(ScriptOutlineTest, ReadsTheReadersFuzzCorpusAsTheReaderDoes) {
    test::TempTree tree;
    std::size_t files = 0;
    for (const auto& file : std::filesystem::directory_iterator(QUORVEL_SCRIPT_CORPUS)) {
        std::ifstream in(file.path(), std::ios::binary);
        ExpectSameReading(tree, std::string(std::istreambuf_iterator<char>(in), {}));
        ++files;
    }
    EXPECT_GE(files, 3u);
}
#endif

TEST(ScriptOutlineTest, NamesCarryTheirLinesAndTheBlocksInFrontOfThem) {
    const ScriptOutline outline(
        "Mein Paket\r\nDateinstallation\r\n{\r\n {a>>b}\r\n}\r\n{x}\n\nTexturskript{}");
    ASSERT_EQ(outline.Names().size(), 4u);  // the last one after the block {}
    EXPECT_EQ(outline.Names()[0].text, "MeinPaketDateinstallation");
    EXPECT_EQ(outline.Names()[0].line, 1u);
    EXPECT_EQ(outline.RawText(outline.Names()[0].first, outline.Names()[0].first + 9),
              "Mein Paket");
    EXPECT_EQ(outline.Names()[1].text, "");  // between the body and the block {x}
    EXPECT_TRUE(outline.Names()[1].blockBefore);
    EXPECT_EQ(outline.Names()[1].blockLine, 3u);
    EXPECT_EQ(outline.Names()[2].text, "Texturskript");
    EXPECT_EQ(outline.Names()[2].line, 8u);
    EXPECT_EQ(outline.Names()[2].blockLine, 6u);
    EXPECT_EQ(outline.Names()[3].text, "");
}

struct EndCase {
    const char* script;
    SectionEnd end;
    std::size_t entries;
    bool opened;
};

TEST(ScriptOutlineTest, TellsHowTheReadingOfASectionStopped) {
    const EndCase cases[] = {
        {"Dateinstallation{{a>>b}}", SectionEnd::kClosingBrace, 1, true},
        {"Dateinstallation{{a>>b}x{c>>d}}", SectionEnd::kOtherText, 1, true},
        {"Dateinstallation{{a>>b}", SectionEnd::kEndOfScript, 1, true},
        {"Dateinstallation{{a>>b", SectionEnd::kEntryCutOff, 1, true},
        {"Dateinstallation{a>>b}", SectionEnd::kOtherText, 0, true},
        {"Dateinstallation}{a>>b}}", SectionEnd::kClosingBrace, 1, false},
        {"Dateinstallation", SectionEnd::kEndOfScript, 0, false},
    };
    for (const EndCase& c : cases) {
        const ScriptOutline outline(c.script);
        const ScriptName* name = outline.Find("Dateinstallation");
        ASSERT_NE(name, nullptr) << c.script;
        const ScriptSection section = outline.SectionAfter(*name);
        EXPECT_EQ(section.end, c.end) << c.script;
        EXPECT_EQ(section.entries.size(), c.entries) << c.script;
        EXPECT_EQ(section.bodyOpened, c.opened) << c.script;
    }
}

}  // namespace
}  // namespace quorvel
