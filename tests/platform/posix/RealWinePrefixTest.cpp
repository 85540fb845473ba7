// Registry files written by Wine itself read without a problem: the excerpts checked in here,
// and every registry file of a whole prefix when Wine is installed.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <string>

#include "platform/Registry.h"
#include "platform/posix/WinePrefix.h"
#include "platform/posix/WineRegistryText.h"
#include "tests/platform/posix/ScopedEnvironment.h"

namespace quorvel::platform::posix {
namespace {

std::size_t CountSectionLines(const std::string& text) {
    std::size_t count = text.starts_with("[") ? 1 : 0;
    for (std::size_t at = text.find("\n["); at != std::string::npos;
         at = text.find("\n[", at + 1)) {
        ++count;
    }
    return count;
}

void ExpectReadsCompletely(const std::string& path) {
    SCOPED_TRACE(path);
    const std::optional<std::string> text = ReadWholeFile(path);
    ASSERT_TRUE(text.has_value());
    const RegistryText parsed = ParseWineRegistry(*text);
    EXPECT_TRUE(parsed.hasHeader);
    for (const RegistryTextProblem& problem : parsed.problems) {
        ADD_FAILURE() << "line " << problem.line << ": " << problem.what;
    }
    EXPECT_EQ(parsed.keys.size(), CountSectionLines(*text));
}

bool IsDirectory(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// The prefix the Wine-run tests share (cmake/wine-run), made by cmake/wine-prefix if Wine is
// installed and it is not there yet; empty when there is none.
std::string SharedWinePrefix() {
    const char* configured = std::getenv("QUORVEL_WINEPREFIX");
    const char* home = std::getenv("HOME");
    const std::string prefix =
        configured != nullptr && *configured != '\0'
            ? configured
            : std::string(home != nullptr ? home : "") + "/.cache/quorvel/wineprefix-win32";
    struct stat status {};
    if (::stat((prefix + "/.quorvel-ready").c_str(), &status) == 0) {
        return prefix;
    }
    if (std::system("command -v wine >/dev/null 2>&1") != 0) {
        return "";
    }
    const std::string command =
        "'" + std::string(QUORVEL_WINE_PREFIX_SCRIPT) + "' '" + prefix + "' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0 && IsDirectory(prefix) ? prefix : "";
}

TEST(RealWinePrefix, ReadsTheCheckedInExcerpts) {
    ExpectReadsCompletely(std::string(QUORVEL_POSIX_TEST_DATA) + "/wine8-system.reg");
    ExpectReadsCompletely(std::string(QUORVEL_POSIX_TEST_DATA) + "/wine8-user.reg");
}

TEST(RealWinePrefix, ReadsEveryRegistryFileOfAWholePrefix) {
    const std::string prefix = SharedWinePrefix();
    if (prefix.empty()) {
        GTEST_SKIP() << "Wine is not installed";
    }
    for (const char* file : {"/system.reg", "/user.reg", "/userdef.reg"}) {
        ExpectReadsCompletely(prefix + file);
    }
    const test::ScopedEnvironment environment("WINEPREFIX", prefix);
    const Result<RegistryKey> command =
        OpenRegistryKeyForReading(kClassesRoot, "txtfile\\shell\\open\\command");
    ASSERT_TRUE(command);
    unsigned char data[260];
    std::uint32_t size = sizeof data;
    ASSERT_EQ(QueryRegistryValue(command->Get(), "", data, &size), ErrorCode::kSuccess);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data), size),
              std::string("\"C:\\windows\\system32\\notepad.exe\" \"%1\"") + '\0');
}

}  // namespace
}  // namespace quorvel::platform::posix
