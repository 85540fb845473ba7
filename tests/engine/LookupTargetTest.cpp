#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/DialogRunEvents.h"
#include "engine/PackageInstaller.h"
#include "tests/support/RecordingProgressBar.h"
#include "tests/support/TempTree.h"
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
    const test::TempTree tree;
    const std::string base = tree.Path("");  // ends with a backslash
    const std::string longName(100, 'a');
    for (const char* folder : {"Sim", "Z\xFCge"}) {
        tree.MakeDirectory(folder);
    }
    tree.MakeDirectory(longName);
    tree.WriteFile("Datei", "kein Ordner");
    // Names that bring the value to exactly 259 and 260 characters, 260 and 261 bytes with
    // the zero that ends them.
    const std::string fits(259 - base.size(), 'x');
    const std::string tooLong(260 - base.size(), 'x');
    struct Case {
        std::string appPath;
        std::optional<std::string> targetDir;
    };
    const Case cases[] = {
        {base + "Sim\\Start.exe", base + "Sim\\"},
        {base + "Sim\\", base + "Sim\\"},
        {base + "Start.exe", base},
        {base + "Z\xFCge\\TRZ.exe", base + "Z\xFCge\\"},
        {base + longName + "\\b.exe", base + longName + "\\"},
        {"Start.exe", std::nullopt},  // no directory at all
        {"", std::nullopt},
        {base + fits, base},
        {base + tooLong, std::nullopt},
        // A value naming a folder that is not there, or a file: Trassimo is not installed
        // there, and nothing may be built in its place.
        {base + "Fehlt\\Start.exe", std::nullopt},
        {base + "Sim\\Fehlt\\Start.exe", std::nullopt},
        {base + "Datei\\Start.exe", std::nullopt},
    };
    for (const Case& c : cases) {
        test::TestRegistry registry;
        registry.RegisterTrassimo(c.appPath);
        EXPECT_EQ(LookUp(), c.targetDir) << c.appPath;
    }
    EXPECT_FALSE(tree.Exists("Fehlt"));
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
    const test::TempTree tree;
    const std::string base = tree.Path("");
    tree.MakeDirectory("Bin");
    {
        test::TestRegistry registry;
        registry.SetClassesRootBytes(kTrassimoKey, "AppPath", kBinary,
                                     base + std::string("Bin\\x.exe\0rest\\y", 16));
        EXPECT_EQ(LookUp(), base + "Bin\\") << "the text ends at the first zero byte";
    }
    {
        // No zero byte within the bytes returned: the text ends with them, nothing beyond.
        const std::string folder(260 - base.size() - 6, 'b');
        tree.MakeDirectory(folder);
        test::TestRegistry registry;
        registry.SetClassesRootBytes(kTrassimoKey, "AppPath", kBinary,
                                     base + folder + "\\c.exe");  // 260 bytes
        EXPECT_EQ(LookUp(), base + folder + "\\");
    }
}

}  // namespace
}  // namespace quorvel
