// Where Windows paths lie on Linux: drive letters through the prefix's dosdevices, names
// matched without regard to case, 1252 names converted to UTF-8 only at the file system.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/posix/FolderCache.h"
#include "platform/posix/HostPath.h"
#include "tests/platform/posix/ScopedEnvironment.h"
#include "tests/support/ErrorCodePrinting.h"
#include "tests/support/TempTree.h"

namespace quorvel::platform::posix {
namespace {

namespace fs = std::filesystem;

void Touch(const std::string& hostPath) {
    fs::create_directories(fs::path(hostPath).parent_path());
    std::ofstream(hostPath) << "x";
}

// The Windows path of the tree's host folder, as a name Z: reaches.
TEST(HostPath, MatchesNamesIgnoringCaseExactNameFirst) {
    const test::TempTree tree;
    const std::string root = tree.HostPath("");
    Touch(root + "Daten/Haus.dat");
    Touch(root + "Daten/HAUS.DAT");
    Touch(root + "Daten/H\xC3\xA4user.dat");      // Häuser.dat
    Touch(root + "Daten/\xC3\xBF-\xC5\xA1.dat");  // ÿ-š.dat
    Touch(root + "Daten/\xC4\x80.dat");           // Ā.dat: no 1252 name
    Touch(root + "Daten/\xFF.bin");               // not UTF-8
    const PathContext context{"/nonexistent-prefix", "/"};

    struct Case {
        const char* relative;  // below the tree, Windows-1252
        const char* hostName;  // the entry found, UTF-8; empty: none
    };
    const Case cases[] = {
        {"Daten\\HAUS.DAT", "HAUS.DAT"},
        {"DATEN\\Haus.dat", "Haus.dat"},
        {"daten\\H\xC4USER.DAT", "H\xC3\xA4user.dat"},
        {"Daten\\\x9F-\x8A.DAT", "\xC3\xBF-\xC5\xA1.dat"},  // Ÿ-Š.DAT
        {"Daten\\A.dat", ""},
        {"Daten\\\xFF.bin", ""},
        {"Daten\\Neu\xE4.dat", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.relative);
        const HostPathResult result = ResolveHostPath(tree.Path(c.relative), context);
        ASSERT_EQ(result.error, ErrorCode::kSuccess);
        EXPECT_EQ(result.path.folder, root + "Daten");
        EXPECT_EQ(result.path.exists, *c.hostName != '\0');
        if (result.path.exists) {
            EXPECT_EQ(result.path.name, c.hostName);
        }
    }
    // A new name keeps the case given and becomes UTF-8.
    EXPECT_EQ(ResolveHostPath(tree.Path("daten\\Neu\xE4.DAT"), context).path.Full(),
              root + "Daten/Neu\xC3\xA4.DAT");
    const HostPathResult lowered = ResolveHostPath(tree.Path("daten\\haus.dat"), context);
    EXPECT_TRUE(lowered.path.name == "Haus.dat" || lowered.path.name == "HAUS.DAT");
}

TEST(HostPath, FoldersAboveTheLastNameMustExist) {
    const test::TempTree tree;
    const PathContext context{"/nonexistent-prefix", "/"};
    tree.WriteFile("Daten\\Haus.dat", "x");
    EXPECT_EQ(ResolveHostPath(tree.Path("Fehlt\\Haus.dat"), context).error,
              ErrorCode::kPathNotFound);
    EXPECT_EQ(ResolveHostPath(tree.Path("Daten\\Fehlt\\Haus.dat"), context).error,
              ErrorCode::kPathNotFound);
    EXPECT_EQ(ResolveHostPath(tree.Path("Daten\\...\\Haus.dat"), context).error,
              ErrorCode::kInvalidName);
    const HostPathResult folder = ResolveHostPath(tree.Path("DATEN\\"), context);
    EXPECT_TRUE(folder.path.exists);
    EXPECT_TRUE(folder.path.trailingSeparator);
    EXPECT_EQ(folder.path.Full(), tree.HostPath("Daten"));
}

TEST(HostPath, DrivesAreTheLinksOfThePrefix) {
    const test::ScopedPrefix prefix;
    const std::string p = prefix.Directory();
    fs::create_directories(p + "/drive_c/windows");
    fs::create_directories(p + "/elsewhere/Spiele");
    const PathContext context{p, "/"};

    EXPECT_EQ(ResolveHostPath("C:\\Windows", context).path.Full(), p + "/drive_c/windows");
    EXPECT_EQ(ResolveHostPath("z:\\tmp", context).path.Full(), "/tmp");
    EXPECT_EQ(ResolveHostPath("Z:\\", context).path.Full(), "/");
    EXPECT_EQ(ResolveHostPath("D:\\Spiele", context).error, ErrorCode::kPathNotFound);

    fs::create_directories(p + "/dosdevices");
    fs::create_directory_symlink("../elsewhere", p + "/dosdevices/d:");
    fs::create_directory_symlink("../elsewhere", p + "/dosdevices/c:");
    const HostPathResult spiele = ResolveHostPath("d:\\SPIELE\\..\\..\\..\\Spiele\\x", context);
    EXPECT_EQ(spiele.error, ErrorCode::kSuccess);
    EXPECT_EQ(spiele.path.Full(), p + "/dosdevices/d:/Spiele/x");
    EXPECT_TRUE(fs::equivalent(spiele.path.folder, p + "/elsewhere/Spiele"));
    EXPECT_EQ(ResolveHostPath("C:\\Windows", context).error, ErrorCode::kSuccess);
    EXPECT_FALSE(ResolveHostPath("C:\\Windows", context).path.exists);   // the link wins
    EXPECT_EQ(ResolveHostPath("Z:\\tmp", context).path.Full(), "/tmp");  // no z: link: /
}

// The run's cache keeps a drive as the folder its links lead to: what it finds is what the
// lookup without a cache finds, however the drive is linked, and so is what it cannot find.
TEST(HostPath, TheCacheFindsWhatTheDriveLinksLeadTo) {
    struct Case {
        const char* setup;
        const char* link;       // dosdevices/c: leads here; empty: no link
        const char* aliasLink;  // where <prefix>/alias leads; empty: no alias
        bool found;
    };
    const Case cases[] = {
        {"relative link", "../drive_c", "", true},
        {"link to a link", "../alias", "drive_c", true},
        {"absolute link", "<prefix>/drive_c", "", true},
        {"no link: drive_c", "", "", true},
        {"dangling link", "../fehlt", "", false},
        {"link to a file", "../datei", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setup);
        const test::ScopedPrefix prefix;
        const std::string p = prefix.Directory();
        Touch(p + "/drive_c/Sim/Haus.dat");
        Touch(p + "/datei");
        fs::create_directories(p + "/dosdevices");
        std::string link = c.link;
        if (link.starts_with("<prefix>")) {
            link = p + link.substr(8);
        }
        if (!link.empty()) {
            fs::create_symlink(link, p + "/dosdevices/c:");
        }
        if (*c.aliasLink != '\0') {
            fs::create_symlink(c.aliasLink, p + "/alias");
        }
        const PathContext context{p, "/"};
        for (const char* path : {"C:\\SIM\\haus.dat", "c:\\Sim\\Haus.dat", "C:\\sim\\Neu.dat"}) {
            SCOPED_TRACE(path);
            FolderCache cache;
            const HostPathResult plain = ResolveHostPath(path, context);
            const HostPathResult cached = ResolveHostPath(path, context, cache);
            const HostPathResult again = ResolveHostPath(path, context, cache);
            ASSERT_EQ(plain.error, c.found ? ErrorCode::kSuccess : ErrorCode::kPathNotFound);
            EXPECT_EQ(cached.error, plain.error);
            EXPECT_EQ(again.error, plain.error);
            if (!c.found) {
                continue;
            }
            EXPECT_EQ(cached.path.exists, plain.path.exists);
            EXPECT_EQ(cached.path.name, plain.path.name);
            EXPECT_TRUE(fs::equivalent(cached.path.folder, p + "/drive_c/Sim"));
            EXPECT_EQ(again.path.Full(), cached.path.Full());
        }
    }
}

TEST(HostPath, RelativePathsStartInTheCurrentDirectory) {
    const test::TempTree tree;
    tree.WriteFile("Daten\\Haus.dat", "x");
    const std::string root = tree.HostPath("");
    const PathContext context{"/nonexistent-prefix", root + "Daten"};

    EXPECT_EQ(ResolveHostPath("HAUS.DAT", context).path.Full(), root + "Daten/Haus.dat");
    EXPECT_EQ(ResolveHostPath("..\\daten\\haus.dat", context).path.Full(), root + "Daten/Haus.dat");
    EXPECT_EQ(ResolveHostPath("z:Haus.dat", context).path.Full(), root + "Daten/Haus.dat");
    EXPECT_EQ(ResolveHostPath("\\tmp", context).path.Full(), "/tmp");
    EXPECT_EQ(ResolveHostPath("..\\..\\..\\..\\..\\..\\..\\..\\tmp", context).path.Full(), "/tmp");
    EXPECT_EQ(ResolveHostPath(".", context).path.Full(), root + "Daten");
}

}  // namespace
}  // namespace quorvel::platform::posix
