#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/InstallCommand.h"
#include "app/MessageTable.h"
#include "tests/support/PackageFixture.h"
#include "tests/support/RecordingDialog.h"

namespace quorvel::app {
namespace {

using Texts = std::vector<std::string>;
using test::Message;

class InstallCommandTest : public ::testing::Test {
protected:
    void Press() { RunInstallCommand(dialog, package.application); }

    test::PackageFixture package{test::Trassimo::kNotRegistered};
    test::RecordingDialog dialog;
};

TEST_F(InstallCommandTest, TrassimoMissingLeavesTheDialogOpenAndTouchesNothing) {
    package.WriteScript("Dateinstallation{{a.dat>>a.dat}}");
    package.tree.WriteFile("Paket\\a.dat", "a");
    for (int press = 1; press <= 2; ++press) {
        Press();
        EXPECT_EQ(package.application.Texts(), Texts(press, MessageText(kMessageNotInstalled)));
    }
    EXPECT_EQ(dialog.closed, 0);
    EXPECT_TRUE(dialog.progressBar.calls.empty());
    EXPECT_EQ(package.tree.ListHostNames("Sim"), "");
}

TEST_F(InstallCommandTest, ASuccessfulRunReportsSuccessThenCloses) {
    package.RegisterTrassimo();
    package.tree.WriteFile("Paket\\a.dat", "a");
    package.tree.WriteFile("Sim\\Resourcen\\Parallels\\Texturen.txt", "{Textur{id(1)}}");
    package.WriteScript("Dateinstallation{{a.dat>>a.dat}}Texturskript{{2>>Textur{id(2)}}}");

    Press();
    EXPECT_EQ(package.application.Texts(), Texts{MessageText(kMessageInstallSucceeded)});
    EXPECT_EQ(dialog.closed, 1);
    EXPECT_EQ(dialog.progressBar.calls.back(), "pos 4");
    EXPECT_EQ(package.tree.ReadFile("Sim\\a.dat"), "a");
}

TEST_F(InstallCommandTest, AFailedRunReportsTheFileThenTheFailureThenCloses) {
    package.RegisterTrassimo();
    package.tree.WriteFile("Sim\\Resourcen\\Parallels\\Texturen.txt", "{Textur{id(1)}}");
    package.WriteScript("Dateinstallation{{fehlt.dat>>a.dat}}Texturskript{}");

    Press();
    EXPECT_EQ(package.application.Texts(),
              (Texts{Message(kMessageCopyFailed,
                             {package.PackagePath("fehlt.dat"), package.SimPath("a.dat")}),
                     MessageText(kMessageInstallFailed)}));
    EXPECT_EQ(dialog.closed, 1);
}

TEST_F(InstallCommandTest, APackageWithoutScriptFailsAndCloses) {
    package.RegisterTrassimo();
    package.tree.MakeDirectory("Paket");
    Press();
    EXPECT_EQ(package.application.Texts(), Texts{MessageText(kMessageInstallFailed)});
    EXPECT_EQ(dialog.closed, 1);
    EXPECT_EQ(dialog.progressBar.calls.size(), 6u);
}

}  // namespace
}  // namespace quorvel::app
