#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/InstallCommand.h"
#include "app/MessageTable.h"
#include "tests/support/RecordingDialog.h"
#include "tests/support/TestInstaller.h"
#include "tests/support/TestRegistry.h"

namespace quorvel::app {
namespace {

using Texts = std::vector<std::string>;
using test::Message;

class InstallCommandTest : public ::testing::Test {
protected:
    void RegisterTrassimo() { registry.RegisterTrassimo(package.SimPath("TRZ.exe")); }

    test::TestRegistry registry;
    test::PackageFixture package;
    test::RecordingDialog dialog;
};

TEST_F(InstallCommandTest, TrassimoMissingLeavesTheDialogOpenAndTouchesNothing) {
    package.WriteScript("Dateinstallation{{a.dat>>a.dat}}");
    package.tree.WriteFile("Paket\\a.dat", "a");
    for (int press = 1; press <= 2; ++press) {
        RunInstallCommand(dialog);
        EXPECT_EQ(package.application.Texts(), Texts(press, MessageText(kMessageNotInstalled)));
    }
    EXPECT_EQ(dialog.closed, 0);
    EXPECT_TRUE(dialog.progressBar.calls.empty());
    EXPECT_FALSE(package.tree.Exists("Sim"));
}

TEST_F(InstallCommandTest, ASuccessfulRunReportsSuccessThenCloses) {
    RegisterTrassimo();
    package.tree.WriteFile("Paket\\a.dat", "a");
    package.tree.WriteFile("Sim\\Resourcen\\Parallels\\Texturen.txt", "{Textur{id(1)}}");
    package.WriteScript("Dateinstallation{{a.dat>>a.dat}}Texturskript{{2>>Textur{id(2)}}}");

    RunInstallCommand(dialog);
    EXPECT_EQ(package.application.Texts(), Texts{MessageText(kMessageInstallSucceeded)});
    EXPECT_EQ(dialog.closed, 1);
    EXPECT_EQ(dialog.progressBar.calls.back(), "pos 4");
    EXPECT_EQ(package.tree.ReadFile("Sim\\a.dat"), "a");
}

TEST_F(InstallCommandTest, AFailedRunReportsTheFileThenTheFailureThenCloses) {
    RegisterTrassimo();
    package.tree.WriteFile("Sim\\Resourcen\\Parallels\\Texturen.txt", "{Textur{id(1)}}");
    package.WriteScript("Dateinstallation{{fehlt.dat>>a.dat}}Texturskript{}");

    RunInstallCommand(dialog);
    EXPECT_EQ(package.application.Texts(),
              (Texts{Message(kMessageCopyFailed,
                             {package.PackagePath("fehlt.dat"), package.SimPath("a.dat")}),
                     MessageText(kMessageInstallFailed)}));
    EXPECT_EQ(dialog.closed, 1);
}

TEST_F(InstallCommandTest, APackageWithoutScriptFailsAndCloses) {
    RegisterTrassimo();
    package.tree.MakeDirectory("Paket");
    RunInstallCommand(dialog);
    EXPECT_EQ(package.application.Texts(), Texts{MessageText(kMessageInstallFailed)});
    EXPECT_EQ(dialog.closed, 1);
    EXPECT_EQ(dialog.progressBar.calls.size(), 6u);
}

}  // namespace
}  // namespace quorvel::app
