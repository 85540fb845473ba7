// The registry calls on Linux against prefixes written here: excerpts of the registry files of
// a real Wine 8 prefix (values made with "wine reg add" and RegSetValueExW), and hand-made ones
// for the merge of the user's and the machine's classes.
#include <gtest/gtest.h>

#include "tests/support/ErrorCodePrinting.h"

#include <string>

#include "platform/Registry.h"
#include "tests/platform/posix/ScopedEnvironment.h"

namespace quorvel::platform {
namespace {

const std::string kData = QUORVEL_POSIX_TEST_DATA;
const std::string kHeader = "WINE REGISTRY Version 2\n\n";

struct Value {
    ErrorCode error;
    std::string bytes;
};

Value ClassesRootValue(const std::string& keyPath, const std::string& name) {
    RegistryHandle key = 0;
    if (const ErrorCode error = OpenRegistryKey(kClassesRoot, keyPath, kKeyRead, &key);
        error != ErrorCode::kSuccess) {
        return {error, ""};
    }
    unsigned char data[1024];
    std::uint32_t size = sizeof data;
    const ErrorCode error = QueryRegistryValue(key, name, data, &size);
    EXPECT_EQ(CloseRegistryKey(key), ErrorCode::kSuccess);
    return {error,
            error == ErrorCode::kSuccess ? std::string(reinterpret_cast<char*>(data), size) : ""};
}

ErrorCode OpenAndClose(const std::string& keyPath) {
    RegistryHandle key = 0;
    const ErrorCode error = OpenRegistryKey(kClassesRoot, keyPath, kKeyRead, &key);
    if (error == ErrorCode::kSuccess) {
        EXPECT_EQ(CloseRegistryKey(key), ErrorCode::kSuccess);
    }
    return error;
}

std::string Z(const std::string& text) {
    return text + '\0';
}

// The expected bytes are those Wine's own RegQueryValueExA gave for the same prefix.
TEST(PosixRegistry, ReadsTheValuesOfARealPrefix) {
    const test::ScopedPrefix prefix;
    prefix.CopyIn(kData + "/wine8-system.reg", "system.reg");
    prefix.CopyIn(kData + "/wine8-user.reg", "user.reg");

    struct Case {
        const char* key;
        const char* name;
        std::string bytes;
    };
    const std::string trzx = "Software\\Halvenwerk\\TRZX";
    const std::string odd = "Software\\Halvenwerk\\Odd";
    const Case cases[] = {
        // The user's value wins over the machine's "C:\Sim\Start.exe", as in Windows' merged
        // view (Wine 8 itself shows only the machine's classes).
        {"Software\\Halvenwerk\\TRZX", "AppPath", Z("D:\\User\\Start.exe")},
        {"Software\\Halvenwerk\\UserOnly", "Name", Z("nur Benutzer")},
        {"Software\\Halvenwerk\\TRZX", "Umlaut",
         Z("C:\\Programme\\H\xE4user Stra\xDF"
           "e\\Zug\x80.exe")},
        {"Software\\Halvenwerk\\TRZX", "Long", Z("C:\\" + std::string(250, 'a') + "\\Start.exe")},
        {"Software\\Halvenwerk\\TRZX", "Count", "\x78\x56\x34\x12"},
        {"Software\\Halvenwerk\\TRZX", "Exp", Z("%SystemRoot%\\Z\xE4h")},
        {"Software\\Halvenwerk\\TRZX", "Multi", std::string("eins\0zwei\0drei\0\0", 16)},
        {"Software\\Halvenwerk\\TRZX", "", Z("Standard")},
        {"Software\\Halvenwerk\\TRZX",
         "Gr\xFC\xDF"
         "e",
         Z("\xD6lfeld ? x")},
        {"Software\\Halvenwerk\\TRZX", "Q", "\x88\x77\x66\x55\x44\x33\x22\x11"},
        {"Software\\Halvenwerk\\TRZX", "Quote", Z("say \"hi\" \\ back\\\\slash")},
        {"Software\\Halvenwerk\\Odd", "@", Z("literal at")},
        {"Software\\Halvenwerk\\Odd", "Controls",
         Z("line1\nline2\r\t\x01\x1b\x7f end\\ \"q\" 7\x02"
           "7")},
        {"Software\\Halvenwerk\\Odd", "DwordBE", "\xef\xbe\xad\xde"},
        {"Software\\Halvenwerk\\Odd", "DwordShort", "\xef\xbe"},
        {"Software\\Halvenwerk\\Odd", "EmbeddedNull", std::string("a\0b\0", 4)},
        {"Software\\Halvenwerk\\Odd", "Empty", Z("")},
        {"Software\\Halvenwerk\\Odd", "EmptyBin", ""},
        {"Software\\Halvenwerk\\Odd", "ExpNoTerm", Z("%PATH%")},
        {"Software\\Halvenwerk\\Odd", "HexFollow",
         Z("\xE4"
           "a\xE4g")},
        {"Software\\Halvenwerk\\Odd", "Na\"me\\with=", Z("v")},
        {"Software\\Halvenwerk\\Odd", "NoTerminator", "abc"},
        {"Software\\Halvenwerk\\Odd", "OddLength", "a"},
        {"Software\\Halvenwerk\\Odd", "ZeroSize", ""},
        // Wine gives "x??yAz": it maps U+0100 to the look-alike "A"; here every character
        // that 1252 lacks becomes "?".
        {"Software\\Halvenwerk\\Odd", "Surrogate", Z("x??y?z")},
        {"Software\\Halvenwerk\\WithClass", "V", Z("w")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " " + c.name);
        const Value value = ClassesRootValue(c.key, c.name);
        EXPECT_EQ(value.error, ErrorCode::kSuccess);
        EXPECT_EQ(value.bytes, c.bytes);
    }
    const std::string bin = ClassesRootValue(trzx, "Bin").bytes;
    EXPECT_EQ(bin.size(), 54u);
    EXPECT_EQ(bin.substr(0, 7), std::string("\x01\x02\xff\x00\xab\xcd\xef", 7));
    EXPECT_EQ(ClassesRootValue(odd, "BigBin").bytes.size(), 300u);
    // A key named only by a section of its subkey exists.
    EXPECT_EQ(OpenAndClose(odd + "\\K\xE4SE]\"X"), ErrorCode::kSuccess);
    EXPECT_EQ(OpenAndClose(odd + "\\k\xC4se]\"x\\DEEP"), ErrorCode::kSuccess);
    EXPECT_EQ(OpenAndClose(odd + "\\K\xE4se]\"x\\Deeper"), ErrorCode::kFileNotFound);
    // HKEY_LOCAL_MACHINE\Software\Halvenwerk\Machine lies outside the classes.
    EXPECT_EQ(ClassesRootValue("Software\\Halvenwerk\\Machine", "AppPath").error,
              ErrorCode::kFileNotFound);
    // "Long\xc4Name\x2603": the snowman has no narrow name.
    EXPECT_EQ(ClassesRootValue(odd, "Long\xC4Name?").error, ErrorCode::kFileNotFound);
}

TEST(PosixRegistry, UserClassesLieOverMachineClasses) {
    const test::ScopedPrefix prefix;
    prefix.WriteFile("system.reg", kHeader +
                                       "[Software\\\\Classes\\\\Software\\\\H]\n"
                                       "\"Both\"=\"machine\"\n\"MachineOnly\"=\"m\"\n"
                                       "[Software\\\\H]\n\"Outside\"=\"o\"\n");
    prefix.WriteFile("user.reg", kHeader +
                                     "[Software\\\\Classes\\\\Software\\\\H]\n"
                                     "\"Both\"=\"user\"\n"
                                     "[Software\\\\Classes\\\\Software\\\\U]\n\"UserOnly\"=\"u\"\n"
                                     "[Software\\\\H]\n\"Outside\"=\"o\"\n");
    EXPECT_EQ(ClassesRootValue("Software\\H", "Both").bytes, Z("user"));
    EXPECT_EQ(ClassesRootValue("Software\\H", "MachineOnly").bytes, Z("m"));
    EXPECT_EQ(ClassesRootValue("Software\\U", "UserOnly").bytes, Z("u"));
    EXPECT_EQ(ClassesRootValue("Software\\H", "Outside").error, ErrorCode::kFileNotFound);
    EXPECT_EQ(ClassesRootValue("H", "Outside").error, ErrorCode::kFileNotFound);
}

TEST(PosixRegistry, ReadsTheFilesAgainOnEveryCall) {
    const test::ScopedPrefix prefix;
    prefix.WriteFile("system.reg", kHeader + "[Software\\\\Classes\\\\K]\n\"V\"=\"eins\"\n");
    RegistryHandle key = 0;
    ASSERT_EQ(OpenRegistryKey(kClassesRoot, "K", kKeyRead, &key), ErrorCode::kSuccess);
    unsigned char data[16];
    std::uint32_t size = sizeof data;
    ASSERT_EQ(QueryRegistryValue(key, "V", data, &size), ErrorCode::kSuccess);

    prefix.WriteFile("system.reg", kHeader + "[Software\\\\Classes\\\\K]\n\"V\"=\"zweite\"\n");
    size = sizeof data;
    ASSERT_EQ(QueryRegistryValue(key, "V", data, &size), ErrorCode::kSuccess);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data), size), Z("zweite"));

    prefix.WriteFile("system.reg", kHeader);
    EXPECT_EQ(QueryRegistryValue(key, "V", data, &size), ErrorCode::kFileNotFound);
    EXPECT_EQ(CloseRegistryKey(key), ErrorCode::kSuccess);
}

TEST(PosixRegistry, FindsThePrefixInTheHomeFolderWithoutWinePrefix) {
    const test::ScopedPrefix home;
    std::filesystem::create_directory(home.Directory() + "/.wine");
    home.WriteFile(".wine/system.reg", kHeader + "[Software\\\\Classes\\\\K]\n\"V\"=\"home\"\n");
    const test::ScopedEnvironment noPrefix("WINEPREFIX", std::nullopt);
    const test::ScopedEnvironment homeFolder("HOME", home.Directory());
    EXPECT_EQ(ClassesRootValue("K", "V").bytes, Z("home"));
    const test::ScopedEnvironment emptyPrefix("WINEPREFIX", "");
    EXPECT_EQ(ClassesRootValue("K", "V").bytes, Z("home"));
}

TEST(PosixRegistry, UnreadableRegistriesHoldNoKeys) {
    const test::ScopedPrefix prefix;
    EXPECT_EQ(ClassesRootValue("K", "V").error, ErrorCode::kFileNotFound);  // no files at all
    prefix.WriteFile("system.reg", "REGEDIT4\n[Software\\\\Classes\\\\K]\n\"V\"=\"x\"\n");
    EXPECT_EQ(ClassesRootValue("K", "V").error, ErrorCode::kFileNotFound);
}

TEST(PosixRegistry, RejectsHandlesAndArgumentsThatAreNone) {
    const test::ScopedPrefix prefix;
    prefix.WriteFile("system.reg", kHeader + "[Software\\\\Classes\\\\K]\n\"V\"=\"x\"\n");
    constexpr RegistryHandle kLocalMachine = 0x80000002u;
    RegistryHandle key = 0;
    std::uint32_t size = 4;
    unsigned char data[4];
    EXPECT_EQ(OpenRegistryKey(0, "K", kKeyRead, &key), ErrorCode::kInvalidHandle);
    EXPECT_EQ(OpenRegistryKey(kLocalMachine, "Software", kKeyRead, &key),
              ErrorCode::kInvalidHandle);
    EXPECT_EQ(OpenRegistryKey(kClassesRoot, "K", kKeyRead, nullptr), ErrorCode::kInvalidParameter);
    EXPECT_EQ(QueryRegistryValue(0, "V", data, &size), ErrorCode::kInvalidHandle);
    EXPECT_EQ(QueryRegistryValue(kClassesRoot, "V", data, nullptr), ErrorCode::kInvalidParameter);
    EXPECT_EQ(CloseRegistryKey(0), ErrorCode::kInvalidHandle);
    // Asking with neither buffer nor size only tells whether the value exists.
    ASSERT_EQ(OpenRegistryKey(kClassesRoot, "\\K\\", kKeyRead, &key), ErrorCode::kSuccess);
    EXPECT_EQ(QueryRegistryValue(key, "V", nullptr, nullptr), ErrorCode::kSuccess);
    EXPECT_EQ(QueryRegistryValue(key, "W", nullptr, nullptr), ErrorCode::kFileNotFound);
    EXPECT_EQ(CloseRegistryKey(key), ErrorCode::kSuccess);
}

}  // namespace
}  // namespace quorvel::platform
