// A catalogue folder this user may not write: neither the catalogue's lock file nor the
// temporary file of the save can be made beside the catalogue, so the texture stage fails and
// leaves the catalogue as it was.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "tests/support/PackageFixture.h"

namespace quorvel {
namespace {

constexpr const char* kFolder = "Sim\\Resourcen\\Parallels";
constexpr const char* kCatalogue = "Sim\\Resourcen\\Parallels\\Texturen.txt";
constexpr const char* kOld = "{\r\n Textur{ id(1) }\r\n}\r\n";

TEST(ProtectedFolder, ACatalogueFolderWithoutWritePermissionIsNotWritten) {
    test::PackageFixture package;
    package.WriteScript("Texturskript{{2>>Textur{id(2)}}}");
    package.tree.WriteFile(kCatalogue, kOld);
    // Everyone may read the tree and write the catalogue itself, nobody its folder.
    for (const char* folder : {"", "Paket", "Sim", "Sim\\Resourcen"}) {
        ::chmod(package.tree.HostPath(folder).c_str(), 0755);
    }
    ::chmod(package.tree.HostPath(kCatalogue).c_str(), 0666);
    ::chmod(package.tree.HostPath(kFolder).c_str(), 0555);

    bool saved = true;
    // Trassimo is looked up here: the prefix is this user's, not readable by another.
    PackageInstaller& installer = package.InstallerWithScript();
    if (::geteuid() == 0) {
        // Root may write any folder: the save is tried as an ordinary user.
        const pid_t child = ::fork();
        if (child == 0) {
            constexpr uid_t kNobody = 65534;
            if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) {
                ::_exit(2);
            }
            ::_exit(installer.MergeTextures() ? 1 : 0);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status));
        ASSERT_NE(WEXITSTATUS(status), 2) << "cannot act as another user";
        saved = WEXITSTATUS(status) != 0;
    } else {
        saved = installer.MergeTextures();
    }
    ::chmod(package.tree.HostPath(kFolder).c_str(), 0755);
    EXPECT_FALSE(saved);
    EXPECT_EQ(package.tree.ReadFile(kCatalogue), kOld);
    EXPECT_EQ(package.tree.ListHostNames(kFolder), "Texturen.txt");
}

}  // namespace
}  // namespace quorvel
