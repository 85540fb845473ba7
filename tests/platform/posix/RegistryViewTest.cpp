// HKEY_CLASSES_ROOT as the 32-bit Quorvel.exe sees it in each kind of prefix. The files in
// data/wine8-views are excerpts of prefixes that Wine 8 made (see the README there); each
// expected answer is the one that a 32-bit RegQueryValueExA gave in that prefix under Wine.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/Registry.h"
#include "platform/posix/PrefixClassesRoot.h"
#include "platform/posix/RegistryLookup.h"
#include "tests/platform/posix/ScopedEnvironment.h"

namespace quorvel::platform::posix {
namespace {

const std::string kViews = std::string(QUORVEL_POSIX_TEST_DATA) + "/wine8-views/";
const std::string kHeader = "WINE REGISTRY Version 2\n";

// The value as narrow text without its terminating zero; nothing when the key or value is
// missing.
std::optional<std::string> AppPath(const PrefixClassesRoot& classes, const std::string& key) {
    const RegistryValueRecord* value = classes.FindValue(SplitSubKey(key), u"AppPath");
    if (value == nullptr) {
        return std::nullopt;
    }
    std::string text = NarrowValueBytes(*value);
    if (!text.empty() && text.back() == '\0') {
        text.pop_back();
    }
    return text;
}

TEST(RegistryView, AgreesWithWhatThe32BitProgramSawUnderWine) {
    struct Case {
        const char* file;
        const char* key;
        std::optional<std::string> seen;
    };
    const std::string trzx = "Software\\Halvenwerk\\TRZX";
    const Case cases[] = {
        // 64-bit prefix; 32-bit and 64-bit reg.exe both write Software\Classes\Software\...
        {"win64-reg32-reg64.reg", "Software\\Halvenwerk\\TRZX", "C:\\Sim32\\Start.exe"},
        {"win64-reg32-reg64.reg", "Software\\Halvenwerk\\TRZ64", "C:\\Sim64\\Start.exe"},
        {"win64-reg32-reg64.reg", "software\\HALVENWERK\\trzx", "C:\\Sim32\\Start.exe"},
        {"win64-reg32-reg64.reg", "Software\\Halvenwerk\\Neu32", std::nullopt},
        // A #link key made with REG_OPTION_CREATE_LINK pointing at Software\Halvenwerk.
        {"win64-link.reg", "Software\\Verweis\\TRZX", "C:\\Sim32\\Start.exe"},
        {"win64-link.reg", "Software\\Verweis\\TRZ64", "C:\\Sim64\\Start.exe"},
        {"win64-link.reg", "Software\\Verweis\\Fehlt", std::nullopt},
        // The opened key's own Wow6432Node subkey is where the 32-bit program reads.
        {"win64-wow6432node-below-the-key.reg", "Software\\Halvenwerk\\TRZX", "C:\\Inner"},
        {"win64-wow6432node-below-the-key.reg", "Software\\Halvenwerk\\TRZ64",
         "C:\\Sim64\\Start.exe"},
        // Software\Classes\Wow6432Node\Software holds the first name: it is used...
        {"win64-wow6432node-software.reg", "Software\\Halvenwerk\\TRZX", "C:\\Wow\\Start.exe"},
        {"win64-wow6432node-software.reg", "Software\\Halvenwerk\\TRZ64", std::nullopt},
        // ...even when it lacks the rest.
        {"win64-wow6432node-software-without-vendor.reg", "Software\\Halvenwerk\\TRZX",
         std::nullopt},
        // Software\Classes\Software\Wow6432Node (a 64-bit "reg add" made it) hides the
        // vendor's key beside it; a 32-bit "reg add" then writes below it.
        {"win64-classes-software-wow6432node.reg", "Software\\Halvenwerk\\TRZX", std::nullopt},
        {"win64-classes-software-wow6432node.reg", "Software\\Halvenwerk\\Neu32", "C:\\Neu32"},
        // Software\Classes\Wow6432Node\Software as a link to HKLM\Software\Ablage\Software.
        {"win64-wow6432node-software-link.reg", "Software\\Halvenwerk\\TRZX", "C:\\Abgelegt"},
        {"win64-wow6432node-software-link.reg", "Software\\Halvenwerk\\TRZ64", std::nullopt},
        // A 32-bit prefix: names as they stand, Wow6432Node included.
        {"win32.reg", "Software\\Halvenwerk\\TRZX", "C:\\Sim32\\Start.exe"},
        {"win32.reg", "Software\\Halvenwerk\\TRZX\\Wow6432Node", "C:\\Inner"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " " + c.key);
        const test::ScopedPrefix prefix;
        prefix.CopyIn(kViews + c.file, "system.reg");
        const PrefixClassesRoot classes(prefix.Directory());
        EXPECT_EQ(AppPath(classes, c.key), c.seen);
        EXPECT_EQ(classes.HasKey(SplitSubKey(c.key)), c.seen.has_value());
    }
}

TEST(RegistryView, TheHostsRegistryCallsUseTheView) {
    const test::ScopedPrefix prefix;
    prefix.CopyIn(kViews + "win64-wow6432node-below-the-key.reg", "system.reg");
    const Result<RegistryKey> key =
        OpenRegistryKeyForReading(kClassesRoot, "Software\\Halvenwerk\\TRZX");
    ASSERT_TRUE(key);
    unsigned char data[64];
    std::uint32_t size = sizeof data;
    ASSERT_EQ(QueryRegistryValue(key->Get(), "AppPath", data, &size), ErrorCode::kSuccess);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data), size), std::string("C:\\Inner") + '\0');
}

// Hand-made files for what no real prefix showed.
TEST(RegistryView, ReadsAFileWithoutArchBothWays) {
    const std::string wow64 =
        "[Software\\\\Classes\\\\Wow6432Node\\\\Software\\\\Halvenwerk\\\\TRZX]\n"
        "\"AppPath\"=\"C:\\\\Wow\"\n";
    const std::string plain =
        "[Software\\\\Classes\\\\Software\\\\Halvenwerk\\\\TRZX]\n\"AppPath\"=\"C:\\\\Plain\"\n";
    struct Case {
        std::string arch;
        std::string body;
        std::optional<std::string> seen;
    };
    const Case cases[] = {
        {"", wow64, "C:\\Wow"},
        {"", plain, "C:\\Plain"},
        {"", plain + wow64, "C:\\Plain"},  // the 32-bit prefix's reading first
        {"#arch=win32\n", wow64, std::nullopt},
        {"#arch=win64\n", wow64, "C:\\Wow"},
        {"#arch=win64\n", plain + wow64, "C:\\Wow"},
        {"#arch=win32\n", plain + wow64, "C:\\Plain"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arch + c.body);
        const test::ScopedPrefix prefix;
        prefix.WriteFile("system.reg", kHeader + c.arch + "\n" + c.body);
        EXPECT_EQ(AppPath(PrefixClassesRoot(prefix.Directory()), "Software\\Halvenwerk\\TRZX"),
                  c.seen);
    }
}

std::string LinkSection(const std::string& key, const std::u16string& target) {
    std::string hex;
    for (const char16_t unit : target) {
        char pair[16];
        std::snprintf(pair, sizeof pair, "%s%02x,%02x", hex.empty() ? "" : ",", unit & 0xFF,
                      unit >> 8);
        hex += pair;
    }
    return "[" + key + "]\n#link\n\"SymbolicLinkValue\"=hex(6):" + hex + "\n";
}

TEST(RegistryView, FollowsLinksOnlyWhereTheyLead) {
    const std::string value =
        "[Software\\\\Ziel\\\\TRZX]\n\"AppPath\"=\"C:\\\\Ziel\"\n"
        "[Software\\\\Classes\\\\Software\\\\Halvenwerk\\\\Echt]\n\"AppPath\"=\"C:\\\\Echt\"\n";
    struct Case {
        std::string links;
        const char* key;
        std::optional<std::string> seen;
    };
    const Case cases[] = {
        {LinkSection("Software\\\\Classes\\\\Software\\\\Halvenwerk",
                     u"\\REGISTRY\\MACHINE\\Software\\Ziel"),
         "Software\\Halvenwerk\\TRZX", "C:\\Ziel"},
        // A link to a link.
        {LinkSection("Software\\\\Classes\\\\Software\\\\Halvenwerk",
                     u"\\Registry\\Machine\\Software\\Umweg") +
             LinkSection("Software\\\\Umweg", u"\\Registry\\Machine\\Software\\Ziel"),
         "Software\\Halvenwerk\\TRZX", "C:\\Ziel"},
        // A link hides whatever the file holds below it.
        {LinkSection("Software\\\\Classes\\\\Software\\\\Halvenwerk",
                     u"\\Registry\\Machine\\Software\\Ziel"),
         "Software\\Halvenwerk\\Echt", std::nullopt},
        // Into the user's file (any user: a prefix has one).
        {LinkSection("Software\\\\Classes\\\\Software\\\\Halvenwerk",
                     u"\\Registry\\User\\S-1-5-21-0-0-0-1000\\Software\\Benutzer"),
         "Software\\Halvenwerk\\TRZX", "C:\\Benutzer"},
        // Round in circles, nowhere, outside the registry, or without a target.
        {LinkSection("Software\\\\Classes\\\\Software\\\\Halvenwerk",
                     u"\\Registry\\Machine\\Software\\Classes\\Software\\Halvenwerk"),
         "Software\\Halvenwerk\\TRZX", std::nullopt},
        {LinkSection("Software\\\\Classes\\\\Software\\\\Halvenwerk",
                     u"\\Registry\\Machine\\Software\\Nirgends"),
         "Software\\Halvenwerk\\TRZX", std::nullopt},
        {LinkSection("Software\\\\Classes\\\\Software\\\\Halvenwerk", u"Software\\Ziel"),
         "Software\\Halvenwerk\\TRZX", std::nullopt},
        {LinkSection("Software\\\\Classes\\\\Software\\\\Halvenwerk", u"\\Registry"),
         "Software\\Halvenwerk\\TRZX", std::nullopt},
        {"[Software\\\\Classes\\\\Software\\\\Halvenwerk]\n#link\n", "Software\\Halvenwerk\\TRZX",
         std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.links);
        const test::ScopedPrefix prefix;
        prefix.WriteFile("system.reg", kHeader + "#arch=win64\n\n" + c.links + value);
        prefix.WriteFile("user.reg", kHeader + "#arch=win64\n\n" +
                                         "[Software\\\\Benutzer\\\\TRZX]\n"
                                         "\"AppPath\"=\"C:\\\\Benutzer\"\n");
        EXPECT_EQ(AppPath(PrefixClassesRoot(prefix.Directory()), c.key), c.seen);
    }
}

}  // namespace
}  // namespace quorvel::platform::posix
