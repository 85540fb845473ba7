#include <gtest/gtest.h>

#include <string>

#include "app/win32/ApplicationName.h"
#include "app/win32/Placement.h"

namespace quorvel::win32 {
namespace {

TEST(CentredIconOriginTest, CentresAndTruncatesTowardZero) {
    struct Case {
        int client;
        int icon;
        int origin;
    };
    // (client − icon + 1) / 2: 36 and 35 give 2; 30 gives 0, not −1, for a 32-pixel icon.
    for (const Case c : {Case{36, 32, 2}, Case{35, 32, 2}, Case{30, 32, 0}, Case{29, 32, -1},
                         Case{32, 32, 0}, Case{100, 48, 26}}) {
        SCOPED_TRACE("client " + std::to_string(c.client) + ", icon " + std::to_string(c.icon));
        EXPECT_EQ(CentredIconOrigin(c.client, c.client, c.icon, c.icon),
                  (PixelPoint{c.origin, c.origin}));
    }
    EXPECT_EQ(CentredIconOrigin(36, 30, 32, 32), (PixelPoint{2, 0}));
}

TEST(CentredWindowOriginTest, CentresOverTheReferenceAndStaysInTheWorkArea) {
    constexpr PixelRect kScreen{0, 0, 1024, 768};
    struct Case {
        const char* what;
        PixelRect reference;
        PixelRect workArea;
        int width;
        int height;
        PixelPoint origin;
    };
    const Case cases[] = {
        {"on the work area", kScreen, kScreen, 359, 186, {333, 291}},
        {"on a work area less the task bar",
         {0, 0, 1024, 728},
         {0, 0, 1024, 728},
         359,
         186,
         {333, 271}},
        {"over the owner", {333, 291, 692, 477}, kScreen, 359, 104, {333, 332}},
        {"an owner at the left edge", {-200, 10, 100, 200}, kScreen, 359, 104, {0, 53}},
        {"an owner at the bottom right", {900, 700, 1100, 800}, kScreen, 359, 104, {665, 664}},
        {"larger than the work area", kScreen, kScreen, 1200, 900, {0, 0}},
        {"on a second monitor", {1024, 0, 2048, 768}, {1024, 0, 2048, 768}, 360, 186, {1356, 291}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(CentredWindowOrigin(c.reference, c.workArea, c.width, c.height), c.origin);
    }
}

TEST(ApplicationNameTest, IsTheFileNameWithoutItsExtension) {
    struct Case {
        const char* path;
        const char* name;
    };
    for (const Case c :
         {Case{"C:\\Pakete\\Modellpaket\\Quorvel.exe", "Quorvel"},
          Case{"Z:\\work\\Quorvel.EXE", "Quorvel"}, Case{"C:\\Pakete.neu\\Quorvel", "Quorvel"},
          Case{"C:\\Pakete\\Quorvel.v2.exe", "Quorvel.v2"}, Case{"Quorvel.exe", "Quorvel"},
          Case{"C:Quorvel.exe", "Quorvel"}}) {
        EXPECT_EQ(ApplicationNameFromPath(c.path), c.name) << c.path;
    }
}

}  // namespace
}  // namespace quorvel::win32
