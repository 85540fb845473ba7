// The textual normalisation of Windows paths. The expected forms are those Wine 8's
// GetFullPathNameA gave for the same paths.
#include <gtest/gtest.h>

#include <string>

#include "platform/posix/WindowsPath.h"

namespace quorvel::platform::posix {
namespace {

// The parsed path written back as text: "c:\" a drive root, "c:" a drive's current directory,
// "\" the current drive's root, "..\" for each step above the starting directory.
std::string Written(const WindowsPath& path) {
    std::string text;
    switch (path.start) {
        case PathStart::kDriveRoot:
            text = std::string(1, path.drive) + ":\\";
            break;
        case PathStart::kDriveCurrent:
            text = std::string(1, path.drive) + ":";
            break;
        case PathStart::kCurrentDriveRoot:
            text = "\\";
            break;
        case PathStart::kCurrentDirectory:
            break;
    }
    for (std::size_t i = 0; i < path.parentSteps; ++i) {
        text += "..\\";
    }
    for (std::size_t i = 0; i < path.names.size(); ++i) {
        text += (i == 0 ? "" : "\\") + path.names[i];
    }
    return text + (path.trailingSeparator ? "\\" : "");
}

TEST(WindowsPath, NormalisesAsWindowsDoes) {
    struct Case {
        const char* path;
        const char* normalised;
    };
    const Case cases[] = {
        {"C:\\a\\b\\..\\c", "c:\\a\\c"},
        {"C:\\a\\.\\b", "c:\\a\\b"},
        {"C:\\a\\..\\..\\..\\b", "c:\\b"},  // never above the root
        {"C:\\a\\..", "c:\\"},
        {"C:\\..", "c:\\"},
        {"C:\\a\\..\\", "c:\\"},
        {"C:\\a\\.\\", "c:\\a\\"},
        {"C:/x/y", "c:\\x\\y"},
        {"C:\\a//b\\\\c", "c:\\a\\b\\c"},
        {"C:\\a\\b\\", "c:\\a\\b\\"},
        {"c:\\", "c:\\"},
        // A name inside the path loses one final dot, the last name all dots and spaces.
        {"C:\\a.\\b", "c:\\a\\b"},
        {"C:\\a..\\b", "c:\\a.\\b"},
        {"C:\\a\\b...\\c", "c:\\a\\b..\\c"},
        {"C:\\a\\....\\b", "c:\\a\\...\\b"},
        {"C:\\a\\.x.\\", "c:\\a\\.x\\"},
        {"C:\\a\\b.\\.\\c", "c:\\a\\b\\c"},
        {"C:\\a\\b.", "c:\\a\\b"},
        {"C:\\a\\b. . ", "c:\\a\\b"},
        {"C:\\a\\...", "c:\\a\\"},
        {"C:\\a\\ b \\c", "c:\\a\\ b \\c"},
        {"C:\\a\\b \\", "c:\\a\\b \\"},
        {"C:\\a\\ ..\\b", "c:\\a\\ .\\b"},
        {"C:\\a\\.. \\b", "c:\\a\\.. \\b"},
        {"C:\\a\\.b\\c", "c:\\a\\.b\\c"},
        {"Z:\\H\xE4user\\Stra\xDF"
         "e.dat",
         "z:\\H\xE4user\\Stra\xDF"
         "e.dat"},
        // Without a drive or a root.
        {"C:a\\b", "c:a\\b"},
        {"C:a\\..\\..", "c:..\\"},
        {"\\a\\b", "\\a\\b"},
        {"\\..\\a", "\\a"},
        {"a\\b", "a\\b"},
        {"..\\..\\a", "..\\..\\a"},
        {"a\\..\\..\\b", "..\\b"},
        {".", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const WindowsPathResult result = ParseWindowsPath(c.path);
        EXPECT_EQ(result.error, 0u);
        EXPECT_EQ(Written(result.path), c.normalised);
    }
}

TEST(WindowsPath, RefusesWhatNoFileCanBeNamed) {
    struct Case {
        const char* path;
        std::uint32_t error;
    };
    const Case cases[] = {
        {"", 3},
        {"\\\\server\\share\\a", 3},
        {"//server/share", 3},
        {"\\\\?\\C:\\a", 3},
        {"\\\\.\\PhysicalDrive0", 3},
        {"C:\\a\\...\\b", 123},  // "..." inside a path is the name "..", which names nothing
        {"C:\\a*b", 123},
        {"C:\\a?", 123},
        {"C:\\a\\b:c", 123},
        {"C:\\a<b>\\c", 123},
        {"C:\\a|b", 123},
        {"C:\\a\"b", 123},
        {"C:\\a\x01"
         "b",
         123},
        {"1:\\a", 123},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(ParseWindowsPath(c.path).error, c.error);
    }
}

}  // namespace
}  // namespace quorvel::platform::posix
