#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Application.h"
#include "tests/support/PackageFixture.h"

namespace quorvel {
namespace {

using test::Message;
using Texts = std::vector<std::string>;

class FileSectionTest : public ::testing::Test {
protected:
    // A package file with a known time, and the destination entry that installs it.
    void PackageFile(const std::string& relative, const std::string& bytes, std::int64_t time) {
        package.tree.WriteFile("Paket\\" + relative, bytes);
        package.tree.SetLastWriteTime("Paket\\" + relative, test::FileTimeAt(time));
    }
    void SimFile(const std::string& relative, const std::string& bytes, std::int64_t time) {
        package.tree.WriteFile("Sim\\" + relative, bytes);
        package.tree.SetLastWriteTime("Sim\\" + relative, test::FileTimeAt(time));
    }
    std::string Sim(const std::string& relative) const {
        return package.tree.ReadFile("Sim\\" + relative);
    }
    Texts Shown() const { return package.application.Texts(); }

    test::PackageFixture package;
};

TEST_F(FileSectionTest, CopiesEveryFileCreatingItsFoldersFromTheTopDown) {
    PackageFile("Modelle\\Haus.dat", "haus", 100);
    PackageFile("Modelle\\H\xE4user.dat", "h\xE4user", 200);
    PackageFile("readme.txt", "lies", 300);
    package.tree.MakeDirectory("Sim");
    package.WriteScript(
        "Dateinstallation\r\n{\r\n"
        "  {Modelle\\Haus.dat >> Resourcen\\Modelle\\Haus.dat}\r\n"
        "  {Modelle\\H\xE4user.dat >> Resourcen\\Modelle\\Neu\\Tief\\H\xE4user.dat}\r\n"
        "  {readme.txt >> readme.txt}\r\n"
        "}\r\n");

    EXPECT_TRUE(package.InstallFiles());
    EXPECT_EQ(Shown(), Texts{});
    EXPECT_EQ(Sim("Resourcen\\Modelle\\Haus.dat"), "haus");
    EXPECT_EQ(Sim("Resourcen\\Modelle\\Neu\\Tief\\H\xE4user.dat"), "h\xE4user");
    EXPECT_EQ(Sim("readme.txt"), "lies");
    // A copy keeps the package file's last-write time.
    EXPECT_EQ(package.tree.LastWriteTime("Sim\\Resourcen\\Modelle\\Haus.dat"),
              test::FileTimeAt(100));
    EXPECT_EQ(package.tree.LastWriteTime("Sim\\readme.txt"), test::FileTimeAt(300));
}

TEST_F(FileSectionTest, AsksBeforeReplacingANewerFile) {
    struct Case {
        const char* what;
        std::int64_t packageTime;
        std::int64_t simTime;
        std::vector<int> answers;
        bool asked;
        const char* contentAfter;
    };
    const Case cases[] = {
        {"newer, the user keeps it", 100, 200, {platform::kIdYes}, true, "alt"},
        {"newer, the user replaces it", 100, 200, {platform::kIdNo}, true, "neu"},
        {"equal times: replaced without a question", 100, 100, {}, false, "neu"},
        {"older: replaced without a question", 200, 100, {}, false, "neu"},
    };
    for (const Case& c : cases) {
        test::PackageFixture fixture;
        fixture.tree.WriteFile("Paket\\a.dat", "neu");
        fixture.tree.SetLastWriteTime("Paket\\a.dat", test::FileTimeAt(c.packageTime));
        fixture.tree.WriteFile("Sim\\a.dat", "alt");
        fixture.tree.SetLastWriteTime("Sim\\a.dat", test::FileTimeAt(c.simTime));
        for (const int answer : c.answers) {
            fixture.application.QueueAnswers({answer});
        }
        fixture.WriteScript("Dateinstallation{{a.dat>>a.dat}}");

        EXPECT_TRUE(fixture.InstallFiles()) << c.what;
        const Texts expected =
            c.asked ? Texts{Message(106, {fixture.SimPath("a.dat"), fixture.PackagePath("a.dat")})}
                    : Texts{};
        EXPECT_EQ(fixture.application.Texts(), expected) << c.what;
        if (c.asked) {
            EXPECT_EQ(fixture.application.Messages()[0].type, platform::kMbYesNo);
        }
        EXPECT_EQ(fixture.tree.ReadFile("Sim\\a.dat"), c.contentAfter) << c.what;
    }
}

TEST_F(FileSectionTest, ComparesTimesToTheTick) {
    PackageFile("a.dat", "neu", 100);
    SimFile("a.dat", "alt", 100);
    package.tree.SetLastWriteTime("Sim\\a.dat", test::FileTimeAt(100) + 1);
    package.WriteScript("Dateinstallation{{a.dat>>a.dat}}");
    package.application.QueueAnswers({platform::kIdYes});

    EXPECT_TRUE(package.InstallFiles());
    EXPECT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Sim("a.dat"), "alt");
}

TEST_F(FileSectionTest, AKeptFileKeepsItsAttributes) {
    PackageFile("a.dat", "neu", 100);
    SimFile("a.dat", "alt", 200);
    package.tree.SetReadOnly("Sim\\a.dat", true);
    package.application.QueueAnswers({platform::kIdYes});
    package.WriteScript("Dateinstallation{{a.dat>>a.dat}}");

    EXPECT_TRUE(package.InstallFiles());
    EXPECT_TRUE(package.tree.IsReadOnly("Sim\\a.dat"));
    EXPECT_EQ(Sim("a.dat"), "alt");
}

TEST_F(FileSectionTest, AReadOnlyDestinationIsReportedAndLeftWritable) {
    PackageFile("a.dat", "neu", 200);
    SimFile("a.dat", "alt", 100);
    package.tree.SetReadOnly("Sim\\a.dat", true);
    package.WriteScript("Dateinstallation{{a.dat>>a.dat}}");

    EXPECT_FALSE(package.InstallFiles());
    EXPECT_EQ(Shown(),
              Texts{Message(105, {package.PackagePath("a.dat"), package.SimPath("a.dat")})});
    EXPECT_EQ(package.application.Messages()[0].type, platform::kMbOk);
    EXPECT_EQ(Sim("a.dat"), "alt");
    EXPECT_FALSE(package.tree.IsReadOnly("Sim\\a.dat"));
}

TEST_F(FileSectionTest, AMissingSourceFile) {
    package.tree.MakeDirectory("Sim");
    package.tree.MakeDirectory("Paket");
    SimFile("b.dat", "alt", 100);
    // Without a destination there is nothing to ask: the copy fails and is reported.
    // With one, a source that cannot be read counts as older, so the user is asked first.
    package.application.QueueAnswers({platform::kIdNo});
    package.WriteScript("Dateinstallation{{fehlt.dat>>a.dat}{fehlt.dat>>b.dat}}");

    EXPECT_FALSE(package.InstallFiles());
    EXPECT_EQ(Shown(),
              (Texts{Message(105, {package.PackagePath("fehlt.dat"), package.SimPath("a.dat")}),
                     Message(106, {package.SimPath("b.dat"), package.PackagePath("fehlt.dat")}),
                     Message(105, {package.PackagePath("fehlt.dat"), package.SimPath("b.dat")})}));
    EXPECT_FALSE(package.tree.Exists("Sim\\a.dat"));
    EXPECT_EQ(Sim("b.dat"), "alt");
}

TEST_F(FileSectionTest, AFailingEntryDoesNotStopTheOthers) {
    PackageFile("a.dat", "a", 100);
    PackageFile("c.dat", "c", 100);
    package.tree.MakeDirectory("Sim");
    package.WriteScript(
        "Dateinstallation{{a.dat>>a.dat}{kein Trenner}{b.dat>>b.dat}{c.dat>>Unter\\c.dat}}");

    EXPECT_FALSE(package.InstallFiles());
    EXPECT_EQ(Shown(),
              Texts{Message(105, {package.PackagePath("b.dat"), package.SimPath("b.dat")})});
    EXPECT_EQ(Sim("a.dat"), "a");
    EXPECT_EQ(Sim("Unter\\c.dat"), "c");
}

TEST_F(FileSectionTest, WithoutTheSectionNothingHappens) {
    PackageFile("a.dat", "a", 100);
    package.tree.MakeDirectory("Sim");
    for (const char* script : {"Texturskript{{1>>x}}", "", "Dateinstallation{}"}) {
        package.WriteScript(script);
        EXPECT_TRUE(package.InstallFiles()) << script;
    }
    EXPECT_EQ(Shown(), Texts{});
    EXPECT_EQ(package.tree.ListHostNames("Sim"), "");
}

TEST_F(FileSectionTest, RefusesDestinationsOutsideTrassimosFolder) {
    PackageFile("a.dat", "a", 100);
    package.tree.MakeDirectory("Sim\\Unter");
    const char* destinations[] = {
        "..\\a.dat",
        "Unter\\..\\..\\a.dat",
        ".\\..\\a.dat",
        "Unter\\\\..\\..\\a.dat",
        "../a.dat",
        "Unter/../../a.dat",
        "..\\Sim\\a.dat",
        "Unter\\..",
        "..",
        "...\\a.dat",
        "Unter\\...",
        ". .\\a.dat",
        "Unter\\..\\..\\..\\..\\a.dat",
    };
    for (const char* destination : destinations) {
        package.WriteScript(std::string("Dateinstallation{{a.dat>>") + destination + "}}");
        EXPECT_FALSE(package.InstallFiles()) << destination;
    }
    ASSERT_EQ(Shown().size(), std::size(destinations));
    EXPECT_EQ(Shown()[0],
              Message(105, {package.PackagePath("a.dat"), package.SimPath("..\\a.dat")}));
    // Nothing was written beside or above the Trassimo folder.
    EXPECT_EQ(package.tree.ListHostNames(""), "Paket Sim");
    EXPECT_EQ(package.tree.ListHostNames("Sim"), "Unter");
    EXPECT_EQ(package.tree.ListHostNames("Sim\\Unter"), "");

    // A climb that stays inside is installed as written.
    package.WriteScript("Dateinstallation{{a.dat>>Unter\\..\\b.dat}}");
    EXPECT_TRUE(package.InstallFiles());
    EXPECT_EQ(Sim("b.dat"), "a");
}

TEST_F(FileSectionTest, EnsureDirectory) {
    package.tree.MakeDirectory("Sim");
    package.tree.WriteFile("Sim\\Datei", "keine Mappe");
    PackageInstaller& installer = package.Installer();
    struct Case {
        std::string path;
        bool result;
    };
    const Case cases[] = {
        {"C:\\Datei.dat", false},   // the directory part C: is too short
        {"abc\\Datei.dat", false},  // and so is any of three characters
        {"C:\\", false},
        {package.SimPath("x.dat"), true},                 // exists already
        {package.SimPath("A\\B\\C\\x.dat"), true},        // created from the top down
        {package.SimPath("Datei\\x.dat"), true},          // the name exists (as a file)
        {package.SimPath("Datei\\Unter\\x.dat"), false},  // below a file: cannot be made
    };
    for (const Case& c : cases) {
        EXPECT_EQ(installer.EnsureDirectory(c.path), c.result) << c.path;
    }
    EXPECT_TRUE(package.tree.IsDirectory("Sim\\A\\B\\C"));
}

TEST_F(FileSectionTest, EnsureDirectoryEndsOnNamesItCannotCreate) {
    PackageInstaller& installer = package.Installer();
    // A directory part without a backslash that cannot be created has no parent to provide.
    EXPECT_FALSE(installer.EnsureDirectory("quorvel-gibt-es-nicht/unter\\x.dat"));
    // A deep path below a missing drive climbs to the drive and gives up.
    std::string deep = "Q:";
    for (int i = 0; i < 3000; ++i) {
        deep += "\\d";
    }
    EXPECT_FALSE(installer.EnsureDirectory(deep + "\\x.dat"));
}

TEST_F(FileSectionTest, ADestinationTooLongForTheSystemFailsAndCreatesNoFolder) {
    PackageFile("a.dat", "a", 100);
    package.tree.MakeDirectory("Sim");
    // Folder chains of every kind, up to a 32 KB line: each fails at once, as under Windows.
    std::string thousandLevels;
    for (int i = 0; i < 1000; ++i) {
        thousandLevels += "a\\";
    }
    const std::string destinations[] = {
        thousandLevels + "x.dat",
        std::string(300, 'n') + "\\x.dat",
        std::string(32 * 1024, 'n') + ".dat",
        [] {
            std::string deep;
            for (int i = 0; i < 16 * 1024; ++i) {
                deep += "b\\";
            }
            return deep + "x.dat";
        }(),
    };
    for (const std::string& destination : destinations) {
        package.WriteScript("Dateinstallation{{a.dat>>" + destination + "}}");
        EXPECT_FALSE(package.InstallFiles()) << destination.substr(0, 40);
    }
    ASSERT_EQ(Shown().size(), std::size(destinations));
    EXPECT_EQ(Shown()[0],
              Message(105, {package.PackagePath("a.dat"), package.SimPath(destinations[0])}));
    EXPECT_EQ(package.tree.ListHostNames("Sim"), "");
}

}  // namespace
}  // namespace quorvel
