// The texture stage holds the catalogue's lock: a run that finds it held waits its turn, and
// fails, leaving the catalogue as it was, when the other keeps it too long.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "engine/CatalogueLock.h"
#include "platform/MachineHost.h"
#include "tests/support/PackageFixture.h"

namespace quorvel {
namespace {

using namespace std::chrono_literals;

constexpr const char* kCatalogue = "Sim\\Resourcen\\Parallels\\Texturen.txt";
constexpr const char* kOld = "{\r\n Textur{ id(1) }\r\n}\r\n";

class CatalogueLockTest : public ::testing::Test {
protected:
    CatalogueLockTest() {
        package.WriteScript("Texturskript{{2>>Textur{id(2)}}}");
        package.tree.WriteFile(kCatalogue, kOld);
    }

    // The lock as another run takes it, through a host of its own.
    platform::Result<platform::UniqueFile> OtherRunsLock() {
        return otherRun.LockFileExclusively(CatalogueLockPath(package.tree.Path(kCatalogue)));
    }

    test::PackageFixture package;
    platform::MachineHost otherRun;
};

TEST_F(CatalogueLockTest, KeptTooLongByAnotherRunTheStageFailsAndLeavesTheCatalogue) {
    platform::Result<platform::UniqueFile> held = OtherRunsLock();
    ASSERT_TRUE(held.Ok());
    PackageInstaller& installer = package.InstallerWithScript();
    installer.SetCatalogueLockWait(200ms);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(installer.MergeTextures());
    EXPECT_GE(std::chrono::steady_clock::now() - start, 200ms) << "it did not wait";
    EXPECT_EQ(package.tree.ReadFile(kCatalogue), kOld);
}

TEST_F(CatalogueLockTest, TheStageWaitsUntilTheOtherRunIsDoneAndReleasesTheLockAfterTheSave) {
    platform::Result<platform::UniqueFile> held = OtherRunsLock();
    ASSERT_TRUE(held.Ok());
    std::thread otherRunEnds([&held] {
        std::this_thread::sleep_for(300ms);
        held->Reset();
    });
    PackageInstaller& installer = package.InstallerWithScript();
    installer.SetCatalogueLockWait(30s);
    const auto start = std::chrono::steady_clock::now();
    const bool merged = installer.MergeTextures();
    otherRunEnds.join();
    EXPECT_TRUE(merged);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 300ms) << "it did not wait";
    EXPECT_NE(package.tree.ReadFile(kCatalogue).find("id(2)"), std::string::npos);
    EXPECT_TRUE(OtherRunsLock().Ok()) << "the lock outlived the stage";
}

}  // namespace
}  // namespace quorvel
