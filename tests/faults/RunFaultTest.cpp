// Faults the file system can put in a run's way: each gives its message or result, and the run
// goes on as its stages say.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/InstallCommand.h"
#include "app/MessageTable.h"
#include "platform/Application.h"
#include "tests/support/PackageFixture.h"
#include "tests/support/RecordingDialog.h"

namespace quorvel {
namespace {

// What a texture stage leaves in the catalogue's folder: the catalogue and its lock file.
constexpr const char* kCatalogueAndLock = "Texturen.txt Texturen.txt.lock";

using Texts = std::vector<std::string>;
using test::Message;

constexpr const char* kCatalogue = "Sim\\Resourcen\\Parallels\\Texturen.txt";
constexpr const char* kCatalogueText = "{\r\n Textur{ id(1) }\r\n}\r\n";

class RunFaultTest : public ::testing::Test {
protected:
    RunFaultTest() { package.tree.WriteFile(kCatalogue, kCatalogueText); }
    void Run() { app::RunInstallCommand(dialog, package.application); }
    Texts Shown() const { return package.application.Texts(); }
    std::string CopyFailed(const std::string& source, const std::string& destination) const {
        return Message(105, {package.PackagePath(source), package.SimPath(destination)});
    }

    test::PackageFixture package;
    test::RecordingDialog dialog;
};

TEST_F(RunFaultTest, ASourceThatVanishesWhileTheUserIsAskedIsReported) {
    package.tree.WriteFile("Paket\\a.dat", "neu");
    package.tree.SetLastWriteTime("Paket\\a.dat", test::FileTimeAt(1));
    package.tree.WriteFile("Sim\\a.dat", "alt");
    package.tree.SetLastWriteTime("Sim\\a.dat", test::FileTimeAt(2));
    package.tree.WriteFile("Paket\\b.dat", "b");
    package.WriteScript("Dateinstallation{{a.dat>>a.dat}{b.dat>>b.dat}}Texturskript{}");
    // While the question is open, the package file disappears (a removed medium, say).
    package.application.QueueAnswers({platform::kIdNo});
    package.application.OnMessage([this](const test::ShownMessage& shown) {
        if (shown.type == platform::kMbYesNo) {
            package.tree.SetReadOnly("Paket\\a.dat", false);
            std::remove(package.tree.HostPath("Paket\\a.dat").c_str());
        }
    });

    Run();
    EXPECT_EQ(Shown(),
              (Texts{Message(106, {package.SimPath("a.dat"), package.PackagePath("a.dat")}),
                     CopyFailed("a.dat", "a.dat"), app::MessageText(103)}));
    EXPECT_EQ(package.tree.ReadFile("Sim\\a.dat"), "alt") << "the file in place is kept whole";
    EXPECT_EQ(package.tree.ReadFile("Sim\\b.dat"), "b") << "the run goes on";
    EXPECT_EQ(dialog.closed, 1);
}

TEST_F(RunFaultTest, SourcesThatCannotBeRead) {
    package.tree.MakeDirectory("Paket\\Ordner.dat");
    package.tree.WriteFile("Paket\\gut.dat", "gut");
    package.WriteScript(
        "Dateinstallation{{Ordner.dat>>a.dat}{fehlt\\x.dat>>b.dat}{gut.dat>>gut.dat}}"
        "Texturskript{}");

    Run();
    EXPECT_EQ(Shown(), (Texts{CopyFailed("Ordner.dat", "a.dat"),
                              CopyFailed("fehlt\\x.dat", "b.dat"), app::MessageText(103)}));
    EXPECT_EQ(package.tree.ReadFile("Sim\\gut.dat"), "gut");
    EXPECT_FALSE(package.tree.Exists("Sim\\a.dat"));
    EXPECT_FALSE(package.tree.Exists("Sim\\b.dat"));
}

TEST_F(RunFaultTest, ADestinationFolderThatIsAFile) {
    package.tree.WriteFile("Sim\\Modelle", "eine Datei, keine Mappe");
    package.tree.WriteFile("Paket\\a.dat", "a");
    package.WriteScript("Dateinstallation{{a.dat>>Modelle\\a.dat}{a.dat>>a.dat}}Texturskript{}");

    Run();
    EXPECT_EQ(Shown(), (Texts{CopyFailed("a.dat", "Modelle\\a.dat"), app::MessageText(103)}));
    EXPECT_EQ(package.tree.ReadFile("Sim\\Modelle"), "eine Datei, keine Mappe");
    EXPECT_EQ(package.tree.ReadFile("Sim\\a.dat"), "a");
}

TEST_F(RunFaultTest, ACatalogueThatIsAFolderOrMissingFailsTheTextureStageOnly) {
    for (const bool folder : {true, false}) {
        test::PackageFixture fixture;
        if (folder) {
            fixture.tree.MakeDirectory(kCatalogue);
            fixture.tree.WriteFile(std::string(kCatalogue) + "\\darin.txt", "x");
        } else {
            fixture.tree.MakeDirectory("Sim\\Resourcen");
        }
        fixture.tree.WriteFile("Paket\\a.dat", "a");
        fixture.WriteScript("Dateinstallation{{a.dat>>a.dat}}Texturskript{{2>>Textur{id(2)}}}");
        test::RecordingDialog ownDialog;

        app::RunInstallCommand(ownDialog, fixture.application);
        EXPECT_EQ(fixture.application.Texts(), Texts{app::MessageText(103)}) << folder;
        EXPECT_EQ(fixture.tree.ReadFile("Sim\\a.dat"), "a") << "the file stage ran in full";
        EXPECT_EQ(ownDialog.progressBar.calls.back(), "pos 4");
        if (folder) {
            EXPECT_TRUE(fixture.tree.IsDirectory(kCatalogue));
            EXPECT_EQ(fixture.tree.ListHostNames("Sim\\Resourcen\\Parallels"), kCatalogueAndLock);
        } else {
            EXPECT_EQ(fixture.tree.ListHostNames("Sim\\Resourcen"), "") << "nothing created";
        }
    }
}

TEST_F(RunFaultTest, AWriteProtectedCatalogueIsLeftAsItWas) {
    package.tree.SetReadOnly(kCatalogue, true);
    package.WriteScript("Texturskript{{2>>Textur{id(2)}}}");

    Run();
    EXPECT_EQ(Shown(), Texts{app::MessageText(103)});
    EXPECT_EQ(package.tree.ReadFile(kCatalogue), kCatalogueText);
    EXPECT_TRUE(package.tree.IsReadOnly(kCatalogue));
    EXPECT_EQ(package.tree.ListHostNames("Sim\\Resourcen\\Parallels"), kCatalogueAndLock);
}

}  // namespace
}  // namespace quorvel
