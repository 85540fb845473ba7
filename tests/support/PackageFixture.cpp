#include "tests/support/PackageFixture.h"

#include <gtest/gtest.h>

namespace quorvel::test {

PackageFixture::PackageFixture(Trassimo trassimo) {
    tree.MakeDirectory("Sim");
    if (trassimo == Trassimo::kRegistered) {
        RegisterTrassimo();
    }
    application.SetModulePath(PackagePath("Quorvel.exe"));
}

PackageInstaller& PackageFixture::Installer() {
    installer_.reset();
    installer_ = std::make_unique<PackageInstaller>(application.Machine(), events);
    EXPECT_EQ(installer_->LookupTarget(), kStatusSuccess);
    return *installer_;
}

PackageInstaller& PackageFixture::InstallerWithScript() {
    PackageInstaller& installer = Installer();
    EXPECT_TRUE(installer.FindPackage());
    installer.OpenScript();  // a script that does not open leaves every section unfound
    return installer;
}

bool PackageFixture::InstallFiles() {
    return InstallerWithScript().InstallFiles();
}

bool PackageFixture::MergeTextures() {
    return InstallerWithScript().MergeTextures();
}

}  // namespace quorvel::test
