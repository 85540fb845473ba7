#include <gtest/gtest.h>

#include "engine/DestinationPath.h"

namespace quorvel {
namespace {

TEST(StaysInsideTarget, RefusesEveryClimbAboveTheTarget) {
    const char* refused[] = {
        "..\\x",    "a\\..\\..\\x", ".\\..\\x", "a\\\\..\\..\\x",
        "../x",     "a/../../x",    "a\\..",    "..",
        "a\\b\\..", "...\\x",       "a\\...",   ". .\\x",
        ".. \\x",   "a\\..\\..",    "\\..\\x",  "x\\..\\..\\..\\Windows\\win.ini",
    };
    for (const char* part : refused) {
        EXPECT_FALSE(StaysInsideTarget(part)) << part;
    }
}

TEST(StaysInsideTarget, AcceptsWhatStaysInside) {
    const char* accepted[] = {
        "x",
        "a\\..\\b",
        "Resourcen\\Modelle\\Haus.dat",
        "\\x",
        ".\\x",
        "a\\\\b",
        "a/b",
        "a\\.\\b",
        "..x",
        "x..",
        "a\\b\\..\\..\\c",
        ".hidden",
        "H\xE4user.dat",
        "a\\.b\\c",
    };
    for (const char* part : accepted) {
        EXPECT_TRUE(StaysInsideTarget(part)) << part;
    }
}

}  // namespace
}  // namespace quorvel
