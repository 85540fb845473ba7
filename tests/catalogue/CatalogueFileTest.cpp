#include <gtest/gtest.h>

#include <string>

#include "catalogue/NormalisedForm.h"
#include "tests/catalogue/CatalogueInstaller.h"
#include "tests/support/TempTree.h"

namespace quorvel::test {
namespace {

const std::string kExampleText =
    "{\tTextur{\tid(2)\ta(1)\t}\n\t\tTextur{\tid(7)\ta(2)\tb}\n\t\t}\n\t\t";
const std::string kExampleBytes =
    "{\tTextur{\tid(2)\ta(1)\t}\r\n\t\tTextur{\tid(7)\ta(2)\tb}\r\n\t\t}\r\n\t\t";

class CatalogueFile : public ::testing::Test {
protected:
    void SetUp() override { installer.SetCataloguePath(tree.Path("Texturen.txt")); }

    bool Load(const std::string& bytes) {
        tree.WriteFile("Texturen.txt", bytes);
        return installer.LoadCatalogue();
    }

    TempTree tree;
    CatalogueInstaller installer;
};

TEST_F(CatalogueFile, LineEndsAndCtrlZDoNotChangeTheText) {
    const std::string files[] = {
        "{\n  Textur{ id(2) a(1) }\n  Textur{ id(7) a(2) b }\n}\n",
        "{\r\n  Textur{ id(2) a(1) }\r\n  Textur{ id(7) a(2) b }\r\n}\r\n",
        "{\r\n  Textur{ id(2) a(1) }\r\n  Textur{ id(7) a(2) b }\r\n}",
        "{ Textur{ id(2) a(1) } Textur{ id(7) a(2) b } }\r\n\x1A Textur{ id(9) }",
    };
    for (const std::string& file : files) {
        ASSERT_TRUE(Load(file)) << file;
        EXPECT_EQ(installer.CatalogueText(), kExampleText) << file;
    }
    for (const std::string& blank : {std::string(), std::string(" \r\n\t\r\n\v\f  ")}) {
        ASSERT_TRUE(Load(blank));
        EXPECT_EQ(installer.CatalogueText(), "");
    }
}

TEST_F(CatalogueFile, SavesCrLfOnEveryHostAndLoadsItBackUnchanged) {
    ASSERT_TRUE(Load("{\n  Textur{ id(2) a(1) }\n  Textur{ id(7) a(2) b }\n}\n"));
    ASSERT_TRUE(installer.SaveCatalogue());
    EXPECT_EQ(tree.ReadFile("Texturen.txt"), kExampleBytes);
    ASSERT_TRUE(installer.LoadCatalogue());
    EXPECT_EQ(installer.CatalogueText(), kExampleText);
    EXPECT_EQ(tree.ListHostNames(""), "Texturen.txt");
}

TEST_F(CatalogueFile, ReadsAcrossTheReadPieces) {
    std::string file;
    for (int block = 0; file.size() < 300 * 1000; ++block) {
        file += "Textur{ id(" + std::to_string(block) + ")\r\n a(\xE4 x) }\r\n";
    }
    catalogue::NormalisedTextBuilder expected;
    expected.Feed(file);
    ASSERT_TRUE(Load(file));
    EXPECT_EQ(installer.CatalogueText(), expected.Finish());
}

TEST_F(CatalogueFile, AMissingFileIsNotLoadedAndNotCreated) {
    installer.SetCatalogueText("alt");
    EXPECT_FALSE(installer.LoadCatalogue());
    EXPECT_EQ(installer.CatalogueText(), "alt");
    EXPECT_FALSE(tree.Exists("Texturen.txt"));
}

TEST_F(CatalogueFile, AFailedSaveLeavesTheOldCatalogueByteForByte) {
    tree.WriteFile("Texturen.txt", kExampleBytes + "alt");
    tree.SetReadOnly("Texturen.txt", true);
    installer.SetCatalogueText("neu\n");
    EXPECT_FALSE(installer.SaveCatalogue());
    EXPECT_EQ(tree.ReadFile("Texturen.txt"), kExampleBytes + "alt");
    EXPECT_EQ(tree.ListHostNames(""), "Texturen.txt");  // no temporary file left

    installer.SetCataloguePath(tree.Path("Fehlt\\Texturen.txt"));  // a folder that is missing
    EXPECT_FALSE(installer.SaveCatalogue());
    EXPECT_FALSE(tree.Exists("Fehlt"));

    tree.MakeDirectory("Ordner");
    installer.SetCataloguePath(tree.Path("Ordner"));  // a folder in the catalogue's place
    EXPECT_FALSE(installer.SaveCatalogue());
    EXPECT_TRUE(tree.IsDirectory("Ordner"));
    EXPECT_EQ(tree.ListHostNames(""), "Ordner Texturen.txt");
}

}  // namespace
}  // namespace quorvel::test
