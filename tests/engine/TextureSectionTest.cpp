#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/InstallCommand.h"
#include "app/MessageTable.h"
#include "tests/support/PackageFixture.h"
#include "tests/support/RecordingDialog.h"

namespace quorvel::test {
namespace {

// What a texture stage leaves in the catalogue's folder: the catalogue and its lock file.
constexpr const char* kCatalogueAndLock = "Texturen.txt Texturen.txt.lock";

const std::string kCatalogue = "Sim\\Resourcen\\Parallels\\Texturen.txt";

std::string WithCrLf(const std::string& text) {
    std::string bytes;
    for (const char c : text) {
        bytes += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    return bytes;
}

class TextureMerge : public ::testing::Test {
protected:
    // Runs the texture section of `script` with a new installer: the script stays open until
    // its installer ends, and on Windows a file open for reading cannot be written.
    bool MergeScript(const std::string& script) {
        package.WriteScript(script);
        return package.MergeTextures();
    }

    // Merges the texture section `section` (its body, braces included) into a catalogue file.
    bool Merge(const std::string& catalogueFile, const std::string& section) {
        tree.WriteFile(kCatalogue, catalogueFile);
        return MergeScript("Dateinstallation\r\n{\r\n}\r\nTexturskript\r\n" + section);
    }

    PackageFixture package;
    TempTree& tree = package.tree;
};

TEST_F(TextureMerge, ThreeEntriesGiveTheSevenLineCatalogueByteForByte) {
    ASSERT_TRUE(Merge("{\r\n  Textur{ id(2) a(1) }\r\n  Textur{ id(7) a(2) b }\r\n}\r\n",
                      "{\r\n  { 7 >> Textur{ id(7) a(9) } }\r\n  { 5 >> Textur{ id(5) a(3) } }\r\n"
                      "  { 9 >> Textur{ id(9) a(4) } }\r\n}\r\n"));
    EXPECT_EQ(tree.ReadFile(kCatalogue),
              "{\tTextur{\tid(2)\ta(1)\t}\r\n"
              "\t\tTextur{\tid(5)\ta(3)\t}\r\n"
              "\t\tTextur{\tid(7)\ta(9)\t}\r\n"
              "\t\t\r\n"
              "\t\tTextur{\tid(9)\ta(4)\t}\r\n"
              "\t\t}\r\n"
              "\t\t");
}

TEST_F(TextureMerge, PlacesEveryDefinitionAsTheCatalogueSays) {
    const std::string base = "{ Textur{ id(2) a(1) }\n Textur{ id(7) a(2) }\n}";
    const std::string b2 = "Textur{\tid(2)\ta(1)\t}\n\t\t";
    const std::string b7 = "Textur{\tid(7)\ta(2)\t}\n\t\t";
    const std::string end = "}\n\t\t";
    struct Case {
        const char* what;
        std::string catalogue, section, text;
    };
    const Case cases[] = {
        {"replaced in place", base, "{{7>>Textur{id(7)a(9)}}}",
         "{\t" + b2 + "Textur{\tid(7)\ta(9)\t}\n\t\t\n\t\t" + end},
        {"before the next higher id", base, "{{5>>Textur{id(5)}}}",
         "{\t" + b2 + "Textur{\tid(5)\t}\n\t\t" + b7 + end},
        {"before the last }", base, "{{9>>Textur{id(9)}}}",
         "{\t" + b2 + b7 + "Textur{\tid(9)\t}\n\t\t" + end},
        {"last as earlier entries left it", base, "{{9>>Textur{id(9)}}{8>>Textur{id(8)}}}",
         "{\t" + b2 + b7 + "Textur{\tid(8)\t}\n\t\tTextur{\tid(9)\t}\n\t\t" + end},
        {"the same id twice", base, "{{7>>Textur{id(7)a(8)}}{7>>Textur{id(7)a(9)}}}",
         "{\t" + b2 + "Textur{\tid(7)\ta(9)\t}\n\t\t\n\t\t\n\t\t" + end},
        {"an empty definition removes", base, "{{7>>}{5>>}}", "{\t" + b2 + "\n\t\t" + end},
        {"no >> is skipped, a later >> kept", base, "{{7Textur{id(7)}}{9>>Textur{a(>>)}}}",
         "{\t" + b2 + b7 + "Textur{\ta(>>)\t}\n\t\t" + end},
        {"non-numeric id text and 12abc", "{ Textur{ id(0) } Textur{ id(7) } }",
         "{{abc>>Textur{id(0)a(z)}}{12abc>>Textur{id(12)}}}",
         "{\tTextur{\tid(0)\ta(z)\t}\n\t\t\n\t\tTextur{\tid(7)\t}\n\t\tTextur{\tid(12)\t}\n\t\t" +
             end},
        {"id(007) is not id 7", "{ Textur{ id(007) } Textur{ id(9) } }", "{{7>>Textur{id(7)}}}",
         "{\tTextur{\tid(007)\t}\n\t\tTextur{\tid(7)\t}\n\t\tTextur{\tid(9)\t}\n\t\t" + end},
        {"id 1 is not in id(12)", "{ Textur{ id(12) } Textur{ id(20) } }", "{{1>>Textur{id(1)}}}",
         "{\tTextur{\tid(1)\t}\n\t\tTextur{\tid(12)\t}\n\t\tTextur{\tid(20)\t}\n\t\t" + end},
        {"only the first of two blocks", "{ Textur{ id(4) a(1) } Textur{ id(4) a(2) } }",
         "{{4>>Textur{id(4)a(3)}}}",
         "{\tTextur{\tid(4)\ta(3)\t}\n\t\t\n\t\tTextur{\tid(4)\ta(2)\t}\n\t\t" + end},
        {"xid(5) erases the block before it", "{ Textur{ id(3) } xid(5) Textur{ id(6) } }",
         "{{5>>Textur{id(5)}}}",
         "{\tTextur{\tid(5)\t}\n\t\t\n\t\txid(5)\tTextur{\tid(6)\t}\n\t\t" + end},
        {"out of order 1, 10, 3", "{ Textur{ id(1) } Textur{ id(10) } Textur{ id(3) } }",
         "{{5>>Textur{id(5)}}{2>>Textur{id(2)}}}",
         "{\tTextur{\tid(1)\t}\n\t\tTextur{\tid(10)\t}\n\t\tTextur{\tid(2)\t}\n\t\t"
         "Textur{\tid(3)\t}\n\t\tTextur{\tid(5)\t}\n\t\t" +
             end},
        {"no entries: rewritten normalised",
         "{\r\n Textur {\r\n id( 2 )\r\n a(1) }\r\n"
         " Textur{ id(7) a(2) } }\r\n",
         "{}", "{\t" + b2 + b7 + end},
        {"cut off by the end of the script", base, "{{9>>Textur{id(9)}}{5>>Textur{id(5)",
         "{\t" + b2 + b7 + "Textur{\tid(9)\t}\n\t\t" + end},
        {"numbers beyond 32 bits saturate", "{ Textur{ id(2147483647) } }",
         "{{99999999999>>Textur{id(2147483647)a(1)}}{-99999999999>>Textur{id(-2147483648)}}}",
         "{\tTextur{\tid(-2147483648)\t}\n\t\tTextur{\tid(2147483647)\ta(1)\t}\n\t\t\n\t\t" + end},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(Merge(c.catalogue, c.section)) << c.what;
        EXPECT_EQ(package.LastInstaller().CatalogueText(), c.text) << c.what;
        EXPECT_EQ(tree.ReadFile(kCatalogue), WithCrLf(c.text)) << c.what;
    }
}

TEST_F(TextureMerge, ACatalogueWithoutAValidPlaceIsNotWritten) {
    const std::pair<std::string, std::string> cases[] = {
        {"{ id(5) }", "{{5>>Textur{id(5)}}}"},             // no "Textur{" before the marker
        {"{ id(9) }", "{{5>>Textur{id(5)}}}"},             // nor before the next higher one
        {"{ Textur{ id(5) a(1)", "{{5>>Textur{id(5)}}}"},  // the block is never closed
        {"Textur{ id(3) a", "{{5>>Textur{id(5)}}}"},       // no "}" to insert before
        {"", "{{5>>}}"},
        {"{ a(1) }", "{{3>>b(3)}{5>>id(5)}{5>>x}}"},  // the third entry has no place
    };
    for (const auto& [catalogue, section] : cases) {
        EXPECT_FALSE(Merge(catalogue, section)) << catalogue;
        EXPECT_EQ(tree.ReadFile(kCatalogue), catalogue);
    }
}

TEST_F(TextureMerge, FailuresLeaveTheCatalogueAsItWas) {
    const std::string catalogue = "{ Textur{ id(2) } }\r\n";
    tree.WriteFile(kCatalogue, catalogue);
    EXPECT_FALSE(MergeScript("Dateinstallation{}"));  // no texture section
    EXPECT_EQ(tree.ReadFile(kCatalogue), catalogue);

    tree.SetReadOnly(kCatalogue, true);
    EXPECT_FALSE(MergeScript("Texturskript{{5>>Textur{id(5)}}}"));
    EXPECT_EQ(tree.ReadFile(kCatalogue), catalogue);  // loaded, merged, not saved
    EXPECT_EQ(tree.ListHostNames("Sim\\Resourcen\\Parallels"), kCatalogueAndLock);

    tree.SetReadOnly(kCatalogue, false);
    tree.MakeDirectory("Sim\\Leer");
    package.registry.RegisterTrassimo(package.tree.Path("Sim\\Leer\\Trassimo.exe"));
    EXPECT_FALSE(MergeScript("Texturskript{{5>>Textur{id(5)}}}"));  // no catalogue there
    EXPECT_EQ(tree.ListHostNames("Sim\\Leer"), "");
}

TEST(TextureStage, ACatalogueItWouldDamageIsLeftAsItWasAndTheRunFails) {
    using namespace std::string_literals;
    using app::kMessageInstallFailed;
    using app::kMessageInstallSucceeded;
    const std::string fine = "{\r\n Textur{ id(2) }\r\n}\r\n";
    const std::string entry = "{{5>>Textur{id(5)}}}";
    struct Case {
        const char* what;
        std::string catalogue, section;
        unsigned message;
    };
    const Case cases[] = {
        {"Ctrl-Z at the end", fine + "\x1A\r\n", entry, kMessageInstallSucceeded},
        {"text after a Ctrl-Z", fine + "\x1A Textur{ id(9) }\r\n", entry, kMessageInstallFailed},
        {"UTF-16", "\xFF\xFE{\0 \0}\0"s, entry, kMessageInstallFailed},
        {"a NUL byte", "{ Textur{ id(2)\0 } }"s, entry, kMessageInstallFailed},
        {"a definition with a NUL byte", fine, "{{5>>Textur{id(5)a(\0)}}}"s, kMessageInstallFailed},
    };
    for (const Case& c : cases) {
        PackageFixture package;
        package.tree.WriteFile(kCatalogue, c.catalogue);
        package.WriteScript("Texturskript" + c.section);
        RecordingDialog dialog;
        app::RunInstallCommand(dialog, package.application);
        EXPECT_EQ(package.application.Texts(),
                  std::vector<std::string>{app::MessageText(c.message)})
            << c.what;
        if (c.message == kMessageInstallFailed) {
            EXPECT_EQ(package.tree.ReadFile(kCatalogue), c.catalogue) << c.what;
        } else {
            EXPECT_NE(package.tree.ReadFile(kCatalogue).find("id(5)"), std::string::npos);
        }
        EXPECT_EQ(package.tree.ListHostNames("Sim\\Resourcen\\Parallels"), kCatalogueAndLock);
    }
}

}  // namespace
}  // namespace quorvel::test
