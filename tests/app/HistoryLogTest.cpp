#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/history/HistoryLog.h"

namespace quorvel::app::history {
namespace {

using namespace std::string_literals;

TEST(HistoryLog, EveryFieldReadsBackAsItWasWritten) {
    const std::vector<Record> records = {
        {"install", "134412685281785727", "Z:\\tmp\\Paket", "C:\\Programme\\Trassimo\\"},
        {"texture", "10", "1205", "inserted", "", "Textur{\tid(1205)\t}\n\t\t"},
        {"create", "C:\\G\xfcterschuppen.dat", "100%", "%41"},
        {"odd", "\r\x01\x7f\xff", "a\tb", "", ""},
        {"single"},
    };
    std::string text;
    for (const Record& record : records) {
        const std::string line = RecordLine(record);
        EXPECT_EQ(line.find('\n'), line.size() - 1) << "one line per record";
        text += line;
    }
    const ReadLog log = ReadRecords(text);
    EXPECT_EQ(log.records, records);
    EXPECT_FALSE(log.cutOff);
}

TEST(HistoryLog, LinesCutOffOrDamagedAreLeftOut) {
    const std::string first = RecordLine({"install", "1", "P", "T"});
    const std::string second = RecordLine({"create", "C:\\a.dat", "3", "4"});
    const std::string third = RecordLine({"undone", "5", "0"});
    struct Case {
        const char* what;
        std::string text;
        std::vector<std::string> kinds;
        bool cutOff;
    };
    const Case cases[] = {
        {"whole", first + second, {"install", "create"}, false},
        {"the last line cut anywhere",
         first + second.substr(0, second.size() - 1),
         {"install"},
         true},
        {"only its checksum cut", first + second.substr(0, second.size() - 4), {"install"}, true},
        {"a changed byte",
         first + "crea" + second.substr(4, 5) + "X" + second.substr(10),
         {"install"},
         true},
        {"records after a line a kill cut off",
         first + second.substr(0, 12) + "\n" + third,
         {"install", "undone"},
         true},
        {"an empty log", "", {}, false},
    };
    for (const Case& c : cases) {
        const ReadLog log = ReadRecords(c.text);
        std::vector<std::string> kinds;
        for (const Record& record : log.records) {
            kinds.push_back(record.front());
        }
        EXPECT_EQ(kinds, c.kinds) << c.what;
        EXPECT_EQ(log.cutOff, c.cutOff) << c.what;
    }
}

}  // namespace
}  // namespace quorvel::app::history
