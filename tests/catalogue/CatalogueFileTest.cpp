#include <gtest/gtest.h>

#include <optional>
#include <string>

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
        "{ Textur{ id(2) a(1) } Textur{ id(7) a(2) b } }\r\n\x1A Textur{ id(9) }",
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
