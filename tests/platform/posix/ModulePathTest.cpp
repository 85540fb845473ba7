// The executable's path as GetModuleFileNameA gives it on the Linux host.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>

#include "platform/MachineHost.h"
#include "platform/ModuleFileName.h"
#include "platform/posix/DriveMapping.h"
#include "platform/posix/ModulePath.h"
#include "tests/platform/posix/ScopedEnvironment.h"

namespace quorvel::platform::posix {
namespace {

TEST(ModulePath, HostPathsAppearOnDriveZ) {
    struct Case {
        const char* host;
        std::optional<std::string> windows;
    };
    const Case cases[] = {
        {"/usr/bin/quorvel", "Z:\\usr\\bin\\quorvel"},
        {"/", "Z:\\"},
        {"/home/j\xC3\xB6rg/Pakete/\xE2\x82\xAC.exe", "Z:\\home\\j\xF6rg\\Pakete\\\x80.exe"},
        {"/home/a\\b", std::nullopt},          // a backslash in a name
        {"/home/\xE2\x98\x83", std::nullopt},  // a snowman: not in 1252
        {"/home/\xFF", std::nullopt},          // not UTF-8
        {"relative/path", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.host);
        EXPECT_EQ(WindowsPathOfHostPath(c.host), c.windows);
    }
}

TEST(ModulePath, CutsAsGetModuleFileNameA) {
    struct Case {
        std::uint32_t size;
        std::uint32_t result;
        std::string buffer;  // up to and with the terminating zero
    };
    const std::string path = "Z:\\a\\b.exe";  // 10 characters
    const Case cases[] = {
        {64, 10, path + '\0'},
        {11, 10, path + '\0'},
        {10, 10, "Z:\\a\\b.ex" + std::string(1, '\0')},
        {2, 2, std::string("Z\0", 2)},
        {1, 1, std::string(1, '\0')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        std::string buffer(64, '#');
        EXPECT_EQ(CopyModuleFileName(path, buffer.data(), c.size), c.result);
        EXPECT_EQ(buffer.substr(0, c.buffer.size()), c.buffer);
        EXPECT_EQ(buffer.substr(c.buffer.size()), std::string(64 - c.buffer.size(), '#'));
    }
    char untouched = '#';
    EXPECT_EQ(CopyModuleFileName(path, &untouched, 0), 0u);
    EXPECT_EQ(untouched, '#');
}

TEST(ModulePath, PathsInsideADriveAppearOnThatDrive) {
    namespace fs = std::filesystem;
    const test::ScopedPrefix prefix;
    const std::string root = prefix.Directory();
    fs::create_directories(root + "/drive_c/Spiele/Zug");
    fs::create_directories(root + "/dosdevices");
    fs::create_directory_symlink("../drive_c", root + "/dosdevices/c:");
    fs::create_directory_symlink(root + "/drive_c/Spiele", root + "/dosdevices/s:");
    fs::create_directory_symlink("/", root + "/dosdevices/z:");
    struct Case {
        std::string host;
        std::optional<std::string> windows;
    };
    const Case cases[] = {
        {root + "/drive_c/Pakete/Haus", "C:\\Pakete\\Haus"},
        {root + "/drive_c", "C:\\"},
        {root + "/drive_c/Spiele/Zug/G\xC3\xBCter", "S:\\Zug\\G\xFCter"},  // the deepest drive
        {root + "/dosdevices/c:/Pakete", "C:\\Pakete"},  // reached through the link itself
        {"/usr/bin/quorvel", "Z:\\usr\\bin\\quorvel"},
        {"relative", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.host);
        EXPECT_EQ(WindowsPathOnDrives(c.host, root), c.windows);
    }
}

TEST(ModulePath, ExecutablePathIsThisTestOnDriveZ) {
    char host[4096] = {};
    ASSERT_GT(::readlink("/proc/self/exe", host, sizeof host - 1), 0);
    const std::optional<std::string> expected = WindowsPathOfHostPath(host);
    ASSERT_TRUE(expected.has_value());

    char buffer[4096];
    EXPECT_EQ(ExecutablePath(buffer, sizeof buffer), expected->size());
    EXPECT_EQ(std::string(buffer), *expected);
    EXPECT_TRUE(expected->ends_with("\\posix_host_tests"));
    EXPECT_EQ(ExecutablePath(buffer, 4), 4u);
    EXPECT_EQ(std::string(buffer), "Z:\\");
}

}  // namespace
}  // namespace quorvel::platform::posix
