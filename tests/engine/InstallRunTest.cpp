#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/PackageFixture.h"

namespace quorvel {
namespace {

using Calls = std::vector<std::string>;
const Calls kFullProgress = {"range 0..4", "pos 0", "pos 1", "pos 2", "pos 3", "pos 4"};

constexpr const char* kCatalogue = "{\n Textur{ id(2) a(1) }\n}\n";

class InstallRunTest : public ::testing::Test {
protected:
    void WriteCatalogue() {
        package.tree.WriteFile("Sim\\Resourcen\\Parallels\\Texturen.txt", kCatalogue);
    }

    test::PackageFixture package;
};

TEST_F(InstallRunTest, AFullRunSucceedsAndMovesTheBarInFourSteps) {
    package.tree.WriteFile("Paket\\Modelle\\Haus.dat", "haus");
    WriteCatalogue();
    package.WriteScript(
        "Dateinstallation{{Modelle\\Haus.dat>>Resourcen\\Modelle\\Haus.dat}}"
        "Texturskript{{5>>Textur{id(5)a(3)}}}");
    PackageInstaller& installer = package.Installer();

    EXPECT_EQ(installer.Install(), kStatusSuccess);
    EXPECT_EQ(package.progressBar.calls, kFullProgress);
    EXPECT_EQ(package.application.Texts(), std::vector<std::string>{});
    EXPECT_EQ(package.tree.ReadFile("Sim\\Resourcen\\Modelle\\Haus.dat"), "haus");
    EXPECT_EQ(package.tree.ReadFile("Sim\\Resourcen\\Parallels\\Texturen.txt"),
              "{\tTextur{\tid(2)\ta(1)\t}\r\n\t\tTextur{\tid(5)\ta(3)\t}\r\n\t\t}\r\n\t\t");
}

TEST_F(InstallRunTest, DerivesItsPathsFromTheExecutableAndTheTarget) {
    struct Case {
        std::string modulePath;
        std::string installerDir;
    };
    const Case cases[] = {
        {"C:\\Pakete\\Haus\\Setup.exe", "C:\\Pakete\\Haus"},
        {"D:\\Setup.exe", "D:"},
        {"Setup.exe", "Setup.exe"},  // no backslash: the path is taken whole
    };
    for (const Case& c : cases) {
        package.application.SetModulePath(c.modulePath);
        package.progressBar.calls.clear();
        PackageInstaller& installer = package.Installer();
        EXPECT_EQ(installer.Install(), kStatusFailure) << "no script there";
        EXPECT_EQ(installer.InstallerDir(), c.installerDir);
        EXPECT_EQ(installer.CataloguePath(), package.SimPath("Resourcen\\Parallels\\Texturen.txt"));
        EXPECT_EQ(package.progressBar.calls, kFullProgress);
    }
}

TEST_F(InstallRunTest, EveryStageRunsWhateverTheOthersGave) {
    // No script: the run fails, yet both sections look for the script and the bar reaches 4.
    {
        PackageInstaller& installer = package.Installer();
        WriteCatalogue();
        EXPECT_EQ(installer.Install(), kStatusFailure);
        EXPECT_EQ(package.progressBar.calls, kFullProgress);
        EXPECT_EQ(package.tree.ReadFile("Sim\\Resourcen\\Parallels\\Texturen.txt"), kCatalogue)
            << "without a texture section the catalogue is not touched";
    }
    // A failing file section does not stop the texture section.
    {
        test::PackageFixture fixture;
        fixture.tree.WriteFile("Sim\\Resourcen\\Parallels\\Texturen.txt", kCatalogue);
        fixture.WriteScript("Dateinstallation{{fehlt.dat>>a.dat}}Texturskript{{7>>Textur{id(7)}}}");
        PackageInstaller& installer = fixture.Installer();
        EXPECT_EQ(installer.Install(), kStatusFailure);
        EXPECT_EQ(fixture.application.Texts().size(), 1u);
        EXPECT_NE(fixture.tree.ReadFile("Sim\\Resourcen\\Parallels\\Texturen.txt").find("id(7)"),
                  std::string::npos);
    }
}

TEST_F(InstallRunTest, AnExecutablePathThatDoesNotFitFailsTheRun) {
    struct Case {
        std::size_t length;
        bool fits;
    };
    // The query offers 259 bytes: 258 characters and the terminating zero.
    const Case cases[] = {{258, true}, {259, false}, {400, false}};
    for (const Case& c : cases) {
        std::string modulePath = "C:\\";
        modulePath += std::string(c.length - modulePath.size() - 4, 'p') + "\\Q.e";
        ASSERT_EQ(modulePath.size(), c.length);
        package.application.SetModulePath(modulePath);
        package.progressBar.calls.clear();
        PackageInstaller& installer = package.Installer();
        EXPECT_EQ(installer.Install(), kStatusFailure);
        EXPECT_EQ(package.progressBar.calls, kFullProgress);
        EXPECT_EQ(installer.InstallerDir().empty(), !c.fits) << c.length;
    }
}

}  // namespace
}  // namespace quorvel
