// Destinations that the Linux host's path mapping could be tricked with, and links the user
// made inside Trassimo's folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/PackageFixture.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;

TEST(HostilePackage, NamesThatLookLikeDotsAfterConversionAreOrdinaryNames) {
    test::PackageFixture package;
    package.tree.WriteFile("Paket\\a.dat", "a");
    package.tree.MakeDirectory("Sim");
    // "\x85" is the ellipsis in 1252, "\xB7" the middle dot: in UTF-8 neither is a dot, and no
    // case folding turns a byte into one.
    package.WriteScript(
        "Dateinstallation{{a.dat>>\x85\\a.dat}{a.dat>>\xB7\xB7\\b.dat}{a.dat>>\x2E\x2E\\c.dat}}");

    EXPECT_FALSE(package.InstallFiles()) << "the plain \"..\" is refused";
    EXPECT_EQ(package.tree.ListHostNames("Sim"), "·· …");
    EXPECT_EQ(package.tree.ReadFile("Sim\\\x85\\a.dat"), "a");
    EXPECT_EQ(package.tree.ReadFile("Sim\\\xB7\xB7\\b.dat"), "a");
    EXPECT_EQ(package.tree.ListHostNames(""), "Paket Sim");
}

TEST(HostilePackage, LinksTheUserMadeInsideTrassimosFolderAreFollowed) {
    test::PackageFixture package;
    package.tree.WriteFile("Paket\\a.dat", "a");
    package.tree.MakeDirectory("Sim");
    package.tree.MakeDirectory("Zweitplatte\\Modelle");
    // The user keeps Trassimo's models on another disk and links them in.
    fs::create_directory_symlink(package.tree.HostPath("Zweitplatte\\Modelle"),
                                 package.tree.HostPath("Sim\\Modelle"));
    package.WriteScript("Dateinstallation{{a.dat>>modelle\\a.dat}}");

    EXPECT_TRUE(package.InstallFiles());
    EXPECT_EQ(package.tree.ReadFile("Zweitplatte\\Modelle\\a.dat"), "a");
    EXPECT_TRUE(fs::is_symlink(package.tree.HostPath("Sim\\Modelle")));
}

}  // namespace
}  // namespace quorvel
