#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/DialogRunEvents.h"
#include "engine/PackageInstaller.h"
#include "tests/support/RecordingProgressBar.h"
#include "tests/support/TestApplication.h"
#include "tests/support/TestRegistry.h"

namespace quorvel {
namespace {

constexpr const char* kTrassimoKey = "Software\\Halvenwerk\\TRZX";

std::optional<std::string> LookUp() {
    test::TestApplication application;
    test::RecordingProgressBar progressBar;
    app::DialogRunEvents events(progressBar, application);
    PackageInstaller installer(application.Machine(), events);
    if (installer.LookupTarget() != kStatusSuccess) {
        EXPECT_EQ(installer.LookupTarget(), kStatusFailure);
        EXPECT_EQ(installer.TargetDir(), "") << "a failed lookup leaves targetDir as it was";
        return std::nullopt;
    }
    return installer.TargetDir();
}

TEST(LookupTarget, TheDirectoryOfTheRegisteredExecutable) {
    struct Case {
        std::string appPath;
        std::optional<std::string> targetDir;
    };
    const Case cases[] = {
        {"C:\\Programme\\Sim\\Start.exe", "C:\\Programme\\Sim\\"},
        {"C:\\Sim\\", "C:\\Sim\\"},
        {"D:\\Start.exe", "D:\\"},
        {"C:\\Spiele\\Z\xFCge\\TRZ.exe", "C:\\Spiele\\Z\xFCge\\"},
        {"Start.exe", std::nullopt},  // no directory at all
        {"", std::nullopt},
        {"C:\\" + std::string(256, 'a'), "C:\\"},        // 260 bytes with the zero: fits
        {"C:\\" + std::string(257, 'a'), std::nullopt},  // 261 bytes: too long
        {"C:\\" + std::string(200, 'a') + "\\b.exe", "C:\\" + std::string(200, 'a') + "\\"},
    };
    for (const Case& c : cases) {
        test::TestRegistry registry;
        registry.RegisterTrassimo(c.appPath);
        EXPECT_EQ(LookUp(), c.targetDir) << c.appPath;
    }
}

TEST(LookupTarget, FailsWithoutTheRegistration) {
    {
        test::TestRegistry registry;
        EXPECT_EQ(LookUp(), std::nullopt) << "nothing registered";
    }
    {
        test::TestRegistry registry;
        registry.SetMachineSoftwareString(kTrassimoKey, "AppPath", "C:\\Sim\\Start.exe");
        EXPECT_EQ(LookUp(), std::nullopt) << "only below HKEY_LOCAL_MACHINE\\Software";
    }
    {
        test::TestRegistry registry;
        registry.SetClassesRootString(kTrassimoKey, "Pfad", "C:\\Sim\\Start.exe");
        EXPECT_EQ(LookUp(), std::nullopt) << "another value name";
    }
    {
        test::TestRegistry registry;
        registry.SetClassesRootString("Software\\Halvenwerk\\TRZ", "AppPath", "C:\\Sim\\S.exe");
        EXPECT_EQ(LookUp(), std::nullopt) << "another key";
    }
}

TEST(LookupTarget, AValueOfAnotherTypeIsTakenByteForByte) {
    constexpr std::uint32_t kBinary = 3;
    {
        test::TestRegistry registry;
        registry.SetClassesRootBytes(kTrassimoKey, "AppPath", kBinary,
                                     std::string("C:\\Bin\\x.exe\0rest\\y", 19));
        EXPECT_EQ(LookUp(), "C:\\Bin\\") << "the text ends at the first zero byte";
    }
    {
        // No zero byte within the bytes returned: the text ends with them, nothing beyond.
        test::TestRegistry registry;
        registry.SetClassesRootBytes(kTrassimoKey, "AppPath", kBinary,
                                     "C:\\" + std::string(251, 'b') + "\\c.exe");  // 260 bytes
        EXPECT_EQ(LookUp(), "C:\\" + std::string(251, 'b') + "\\");
    }
}

}  // namespace
}  // namespace quorvel
