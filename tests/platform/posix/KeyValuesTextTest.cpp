// Steam's KeyValues text: the reader on small texts, table by table, and on files shaped like
// the ones Steam writes (data/steam).
#include <gtest/gtest.h>

#include <string>

#include "platform/posix/WinePrefix.h"
#include "platform/posix/prefixes/KeyValuesText.h"
#include "platform/posix/prefixes/SteamFiles.h"

namespace quorvel::platform::posix {
namespace {

const std::string kSteamData = std::string(QUORVEL_POSIX_TEST_DATA) + "/steam/";

// The tree as one line: key="value" for a pair, key{...} for a block.
std::string Flat(const std::vector<KeyValuesNode>& nodes) {
    std::string text;
    for (const KeyValuesNode& node : nodes) {
        text += text.empty() ? "" : " ";
        text += node.key;
        text += node.isBlock ? "{" + Flat(node.children) + "}" : "=\"" + node.value + "\"";
    }
    return text;
}

TEST(KeyValuesText, ReadsPairsAndBlocks) {
    struct Case {
        std::string text;
        std::string tree;
        bool complete;
    };
    const Case cases[] = {
        {"", "", true},
        {"\"a\" \"b\"", "a=\"b\"", true},
        {"\"a\"\n{\n\t\"b\"\t\t\"c\"\n\t\"d\" { }\n}\n", "a{b=\"c\" d{}}", true},
        {"a b c { d e }", "a=\"b\" c{d=\"e\"}", true},  // bare words
        {"\"a\"{\"b\"\"c\"}", "a{b=\"c\"}", true},      // no blanks at all
        {"// head\n\"a\" // after the key\n\"b\" // end", "a=\"b\"", true},
        {"\"a\" \"x // y\"", "a=\"x // y\"", true},  // no comment inside quotes
        {"a//c\nb", "a=\"b\"", true},                // a comment ends a bare word
        {"\"p\" \"C:\\\\Steam\\\\x\"", "p=\"C:\\Steam\\x\"", true},
        {"\"q\" \"say \\\"hi\\\"\\n\\t\"", "q=\"say \"hi\"\n\t\"", true},
        {"\"u\" \"a\\qb\\\"", "", false},          // \" escapes: the quote never closes
        {"\"u\" \"a\\qb\"", "u=\"a\\qb\"", true},  // not an escape: kept as written
        {"\"a\" \"1\" [$WIN32] \"b\" [$X] \"2\"", "a=\"1\" b=\"2\"", true},
        {"\"a\"\r\n{\r\n\"b\" \"c\"\r\n}\r\n", "a{b=\"c\"}", true},
        {"\"a\" \"\"", "a=\"\"", true},
        {"\"\u00c4\" \"\u00df\"", "\u00c4=\"\u00df\"", true},  // bytes as they are (UTF-8)
        // Broken texts keep what came before the fault.
        {"\"a\" { \"b\" \"c\" \"d\" {", "a{b=\"c\" d{}}", false},
        {"\"a\" { \"b\" \"c\"", "a{b=\"c\"}", false},
        {"\"a\" \"b\" } \"c\" \"d\"", "a=\"b\"", false},
        {"\"a\" \"b\" \"c\"", "a=\"b\"", false},
        {"\"a\" \"b", "", false},
        {"{ \"a\" \"b\" }", "", false},
        {"\"a\" [$WIN32", "", false},
        {"\"a\" { \"b\" }", "a{}", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const KeyValuesText parsed = ParseKeyValues(c.text);
        EXPECT_EQ(Flat(parsed.roots), c.tree);
        EXPECT_EQ(parsed.complete, c.complete);
    }
}

TEST(KeyValuesText, RefusesBlocksNestedDeeperThanAnySteamFile) {
    auto nested = [](int depth) {
        std::string text;
        for (int i = 0; i < depth; ++i) {
            text += "k {";
        }
        return text + std::string(static_cast<std::size_t>(depth), '}');
    };
    EXPECT_TRUE(ParseKeyValues(nested(63)).complete);
    EXPECT_FALSE(ParseKeyValues(nested(64)).complete);
    const KeyValuesText deep = ParseKeyValues(nested(100000));  // no deep recursion
    EXPECT_FALSE(deep.complete);
    EXPECT_EQ(deep.roots.size(), 1u);
}

TEST(KeyValuesText, FindsKeysRegardlessOfCase) {
    const KeyValuesText parsed = ParseKeyValues("\"AppState\" { \"Name\" \"x\" \"name\" \"y\" }");
    ASSERT_NE(FindRoot(parsed, "appstate"), nullptr);
    EXPECT_EQ(FindRoot(parsed, "appstate")->Find("NAME")->value, "x");  // the first
    EXPECT_EQ(FindRoot(parsed, "APPSTATE")->Find("installdir"), nullptr);
    EXPECT_EQ(FindRoot(parsed, "AppStat"), nullptr);
}

std::string ReadData(const std::string& name) {
    const std::optional<std::string> text = ReadWholeFile(kSteamData + name);
    EXPECT_TRUE(text.has_value()) << name;
    return text.value_or("");
}

TEST(SteamFiles, ReadsTheLibrariesOfBothLayouts) {
    struct Case {
        std::string text;
        std::vector<std::string> libraries;
    };
    const std::string fresh = ReadData("libraryfolders-new.vdf");
    const Case cases[] = {
        {fresh, {"/home/anna/.local/share/Steam", "/media/spiele/SteamLibrary"}},
        {ReadData("libraryfolders-old.vdf"),
         {"/media/spiele/SteamLibrary", "/mnt/ssd/Steam Spiele"}},
        {ReadData("libraryfolders-windows.vdf"),
         {"C:\\Program Files (x86)\\Steam", "D:\\SteamLibrary"}},
        // Broken off inside the second library: the first is kept.
        {fresh.substr(0, fresh.find("\"label\"\t\t\"Spiele\"")),
         {"/home/anna/.local/share/Steam", "/media/spiele/SteamLibrary"}},
        {fresh.substr(0, fresh.find("\"1\"")), {"/home/anna/.local/share/Steam"}},
        {fresh.substr(0, 20), {}},
        {"\x7f\x45LF\x02\x01\x01garbage", {}},
        // Only numbered entries with a path are libraries.
        {"\"libraryfolders\" { \"0\" { \"label\" \"x\" } \"a\" \"/x\" \"1\" \"\" \"2\" { \"path\" "
         "{ } } \"3\" \"/ok\" }",
         {"/ok"}},
        {"\"other\" { \"0\" \"/x\" }", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(LibraryFoldersIn(ParseKeyValues(c.text)), c.libraries);
    }
}

TEST(SteamFiles, ReadsTheGamesName) {
    EXPECT_EQ(AppNameIn(ParseKeyValues(ReadData("appmanifest_1234560.acf"))), "Trassimo");
    EXPECT_EQ(AppNameIn(ParseKeyValues("\"AppState\" { \"appid\" \"1\" }")), "");
    EXPECT_EQ(AppNameIn(ParseKeyValues("\"AppState\" { \"name\" { } }")), "");
    EXPECT_EQ(AppNameIn(ParseKeyValues("\"name\" \"x\"")), "");
}

}  // namespace
}  // namespace quorvel::platform::posix
