#include <gtest/gtest.h>

#include "app/MessageTable.h"

namespace quorvel::app {
namespace {

TEST(MessageTable, HoldsTheSixTextsAsNarrowWindows1252) {
    EXPECT_EQ(MessageText(101),
              "Inf&o \xFC"
              "ber Quorvel...");
    EXPECT_EQ(MessageText(103), "Die Installation konnte nicht korrekt durchgef\xFChrt werden.");
    EXPECT_EQ(MessageText(105),
              "Das Kopieren der Datei %s nach %s schl\xE4gt fehl. Diese Fehler tritt auch auf, "
              "wenn eine Schreibschutz aktiviert ist.");
    // Line feeds without carriage returns, and the blank before the last sentence.
    EXPECT_NE(MessageText(106).find("beizubehalten. \n\nSoll die vorhandene Datei"),
              std::string::npos);
    EXPECT_EQ(MessageText(106).find('\r'), std::string::npos);
    for (const unsigned id : {101u, 102u, 103u, 104u, 105u, 106u}) {
        EXPECT_FALSE(MessageText(id).empty()) << id;
    }
    EXPECT_EQ(MessageText(100), "");
    EXPECT_EQ(MessageText(107), "");
}

}  // namespace
}  // namespace quorvel::app
