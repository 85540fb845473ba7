#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "catalogue/CatalogueEncoding.h"
#include "catalogue/NormalisedForm.h"
#include "catalogue/TextureCatalogue.h"
#include "platform/MachineHost.h"
#include "tests/support/TempTree.h"

namespace quorvel::catalogue {
namespace {

const std::string kExampleText =
    "{\tTextur{\tid(2)\ta(1)\t}\n\t\tTextur{\tid(7)\ta(2)\tb}\n\t\t}\n\t\t";
const std::string kExampleBytes =
    "{\tTextur{\tid(2)\ta(1)\t}\r\n\t\tTextur{\tid(7)\ta(2)\tb}\r\n\t\t}\r\n\t\t";

class CatalogueFile : public ::testing::Test {
protected:
    std::optional<TextureCatalogue> Load(const std::string& bytes) {
        tree.WriteFile("Texturen.txt", bytes);
        return TextureCatalogue::Load(host, tree.Path("Texturen.txt"));
    }
    bool Save(const TextureCatalogue& catalogue, const std::string& relative) {
        return IsSuccess(host.ReplaceFileContent(tree.Path(relative), catalogue.FileBytes()));
    }

    test::TempTree tree;
    platform::MachineHost host;
};

TEST_F(CatalogueFile, LineEndsAndCtrlZDoNotChangeTheText) {
    const std::string files[] = {
        "{\n  Textur{ id(2) a(1) }\n  Textur{ id(7) a(2) b }\n}\n",
        "{\r\n  Textur{ id(2) a(1) }\r\n  Textur{ id(7) a(2) b }\r\n}\r\n",
        "{\r\n  Textur{ id(2) a(1) }\r\n  Textur{ id(7) a(2) b }\r\n}",
        "{ Textur{ id(2) a(1) } Textur{ id(7) a(2) b } }\r\n\x1A \r\n\x1A\t",
    };
    for (const std::string& file : files) {
        const std::optional<TextureCatalogue> loaded = Load(file);
        ASSERT_TRUE(loaded) << file;
        EXPECT_EQ(loaded->Text(), kExampleText) << file;
        EXPECT_EQ(TextureCatalogue::FromFileBytes(file).Text(), kExampleText) << file;
    }
    for (const std::string& blank : {std::string(), std::string(" \r\n\t\r\n\v\f  ")}) {
        const std::optional<TextureCatalogue> loaded = Load(blank);
        ASSERT_TRUE(loaded);
        EXPECT_EQ(loaded->Text(), "");
    }
}

TEST_F(CatalogueFile, RefusesWhatTheMergeWouldDamage) {
    using namespace std::string_literals;
    struct Case {
        std::string bytes;
        bool loaded;
    };
    const Case cases[] = {
        {"{ Textur{ id(2) } }\x1A", true},
        {"{ Textur{ id(2) } }\r\n\x1A \t\r\n\x1A\x1A\n", true},
        {"\x1A", true},
        {"\xEF\xBB\xBF{ Textur{ id(2) } }", true},  // UTF-8's mark is read as today
        {"\xFF{ Textur{ id(2) } }\xFE\xFF", true},  // a mark counts only at the start
        {" \xFF\xFE{ Textur{ id(2) } }", true},
        {"{ Textur{ id(2) } }\r\n\x1A Textur{ id(9) }", false},
        {"\x1A}", false},
        {"{ Textur{ id(2) } }\x1A\v", false},  // only space, tab, CR and LF may follow
        {"{ Textur{ id(2) } }\x1A\f", false},
        {"{ Textur{ id(2)\0 } }"s, false},
        {"{ Textur{ id(2) } }\x1A\0"s, false},
        {"\0"s, false},
        {"\xFF\xFE{\0 \0}\0"s, false},  // UTF-16, little-endian
        {"\xFE\xFF\0{\0 \0}"s, false},  // UTF-16, big-endian
        {"\xFF\xFE\x41\x42", false},    // UTF-16 without a NUL byte in its text
        {"\xFE\xFF\x41\x42", false},
        {"\xFF\xFE\0\0{\0\0\0"s, false},  // UTF-32, little-endian
        {"\0\0\xFE\xFF\0\0\0{"s, false},  // UTF-32, big-endian
    };
    for (const Case& c : cases) {
        const std::optional<TextureCatalogue> loaded = Load(c.bytes);
        EXPECT_EQ(IsMergeableCatalogue(c.bytes), c.loaded) << testing::PrintToString(c.bytes);
        // The same when the file arrives a byte at a time, as a read may deliver it.
        MergeableCheck byBytes;
        for (const char byte : c.bytes) {
            byBytes.Feed(std::string_view(&byte, 1));
        }
        EXPECT_EQ(byBytes.Mergeable(), c.loaded) << testing::PrintToString(c.bytes);
        ASSERT_EQ(loaded.has_value(), c.loaded) << testing::PrintToString(c.bytes);
        if (loaded) {
            EXPECT_EQ(loaded->Text(), TextureCatalogue::FromFileBytes(c.bytes).Text());
        }
    }
}

TEST_F(CatalogueFile, SavesCrLfOnEveryHostAndLoadsItBackUnchanged) {
    const std::optional<TextureCatalogue> loaded =
        Load("{\n  Textur{ id(2) a(1) }\n  Textur{ id(7) a(2) b }\n}\n");
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->FileBytes(), kExampleBytes);
    ASSERT_TRUE(Save(*loaded, "Texturen.txt"));
    EXPECT_EQ(tree.ReadFile("Texturen.txt"), kExampleBytes);
    const std::optional<TextureCatalogue> again =
        TextureCatalogue::Load(host, tree.Path("Texturen.txt"));
    ASSERT_TRUE(again);
    EXPECT_EQ(again->Text(), kExampleText);
    EXPECT_EQ(tree.ListHostNames(""), "Texturen.txt");
}

TEST_F(CatalogueFile, ReadsAcrossTheReadPieces) {
    std::string file;
    for (int block = 0; file.size() < 300 * 1000; ++block) {
        file += "Textur{ id(" + std::to_string(block) + ")\r\n a(\xE4 x) }\r\n";
    }
    NormalisedTextBuilder expected;
    expected.Feed(file);
    const std::string text = expected.Finish();
    const std::optional<TextureCatalogue> loaded = Load(file);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->Text(), text);
    EXPECT_EQ(TextureCatalogue::FromFileBytes(file).Text(), text);
}

TEST_F(CatalogueFile, AMissingFileIsNotLoadedAndNotCreated) {
    EXPECT_FALSE(TextureCatalogue::Load(host, tree.Path("Texturen.txt")));
    EXPECT_FALSE(tree.Exists("Texturen.txt"));
}

TEST_F(CatalogueFile, AFailedSaveLeavesTheOldCatalogueByteForByte) {
    tree.WriteFile("Texturen.txt", kExampleBytes + "alt");
    tree.SetReadOnly("Texturen.txt", true);
    const TextureCatalogue changed("neu\n");
    EXPECT_FALSE(Save(changed, "Texturen.txt"));
    EXPECT_EQ(tree.ReadFile("Texturen.txt"), kExampleBytes + "alt");
    EXPECT_EQ(tree.ListHostNames(""), "Texturen.txt");  // no temporary file left

    EXPECT_FALSE(Save(changed, "Fehlt\\Texturen.txt"));  // a folder that is missing
    EXPECT_FALSE(tree.Exists("Fehlt"));

    tree.MakeDirectory("Ordner");
    EXPECT_FALSE(Save(changed, "Ordner"));  // a folder in the catalogue's place
    EXPECT_TRUE(tree.IsDirectory("Ordner"));
    EXPECT_EQ(tree.ListHostNames(""), "Ordner Texturen.txt");
}

}  // namespace
}  // namespace quorvel::catalogue
