// The textual normalisation of Windows paths. The expected forms are those Wine 8's
// GetFullPathNameA gave for the same paths.
#include <gtest/gtest.h>

#include <string>

#include "platform/posix/WindowsPath.h"
#include "tests/support/ErrorCodePrinting.h"

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
        EXPECT_EQ(result.error, ErrorCode::kSuccess);
        EXPECT_EQ(Written(result.path), c.normalised);
    }
}

TEST(WindowsPath, RefusesWhatNoFileCanBeNamed) {
    struct Case {
        const char* path;
        ErrorCode error;
    };
    const Case cases[] = {
        {"", ErrorCode::kPathNotFound},
        {"\\\\server\\share\\a", ErrorCode::kPathNotFound},
        {"//server/share", ErrorCode::kPathNotFound},
        {"\\\\?\\C:\\a", ErrorCode::kPathNotFound},
        {"\\\\.\\PhysicalDrive0", ErrorCode::kPathNotFound},
        {"C:\\a\\...\\b",
         ErrorCode::kInvalidName},  // "..." inside a path is the name "..", which names nothing
        {"C:\\a*b", ErrorCode::kInvalidName},
        {"C:\\a?", ErrorCode::kInvalidName},
        {"C:\\a\\b:c", ErrorCode::kInvalidName},
        {"C:\\a<b>\\c", ErrorCode::kInvalidName},
        {"C:\\a|b", ErrorCode::kInvalidName},
        {"C:\\a\"b", ErrorCode::kInvalidName},
        {"C:\\a\x01"
         "b",
         ErrorCode::kInvalidName},
        {"1:\\a", ErrorCode::kInvalidName},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(ParseWindowsPath(c.path).error, c.error);
    }
}

}  // namespace
}  // namespace quorvel::platform::posix
