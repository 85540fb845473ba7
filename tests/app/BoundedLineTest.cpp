#include "app/terminal/BoundedLine.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/terminal/KeyInput.h"

namespace quorvel::app::terminal {
namespace {

using Lines = std::vector<std::string>;

constexpr std::size_t kTenMegabytes = 10 * 1000 * 1000;

TEST(ReadBoundedLine, KeepsTheStartOfEveryLine) {
    struct Case {
        std::string input;
        std::size_t limit;
        Lines lines;
    };
    const Case cases[] = {
        {"ab\ncd\n", 10, {"ab", "cd"}},
        {"ab\ncd", 10, {"ab", "cd"}},  // the last line without a line feed
        {"\n\n", 10, {"", ""}},
        {"", 10, {}},
        {"  a \r\n\tb", 10, {"  a \r", "\tb"}},  // blanks are the line's own
        {"abcdef\nx\n", 3, {"abc", "x"}},
        {"abc\nabcd\n", 3, {"abc", "abc"}},
        {"abcdef", 3, {"abc"}},
        {"abc\nd", 0, {"", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.input) + " limit " + std::to_string(c.limit));
        std::istringstream in(c.input);
        Lines lines;
        std::string line = "alt";
        while (ReadBoundedLine(in, line, c.limit)) {
            EXPECT_LE(line.size(), c.limit);
            lines.push_back(line);
        }
        EXPECT_EQ(lines, c.lines);
        EXPECT_EQ(line, "");
        EXPECT_TRUE(in.eof() && in.fail());
        EXPECT_FALSE(ReadBoundedLine(in, line, c.limit)) << "an ended input stays ended";
    }
}

TEST(ReadBoundedLine, AnEndlessLineTakesNoMoreMemoryThanTheLimit) {
    std::istringstream in(std::string(kTenMegabytes, 'x') + "\nj");
    std::string line;
    ASSERT_TRUE(ReadBoundedLine(in, line));
    EXPECT_EQ(line, std::string(kAnswerLimit, 'x'));
    EXPECT_LE(line.capacity(), 4 * kAnswerLimit);
    ASSERT_TRUE(ReadBoundedLine(in, line));
    EXPECT_EQ(line, "j");
    EXPECT_FALSE(ReadBoundedLine(in, line));
}

TEST(LineKeyInput, AnOverLongAnswerCountsByItsFirstCharacters) {
    struct Case {
        std::string longLine;
        KeyPress first;
    };
    const Case cases[] = {
        {std::string(kTenMegabytes, 'N'), {KeyPress::Kind::Character, 'n'}},
        {"  \t" + std::string(kTenMegabytes, 'x'), {KeyPress::Kind::Character, 'x'}},
        {std::string(kTenMegabytes, ' '), {KeyPress::Kind::Enter}},
        {std::string(kAnswerLimit, ' ') + "n", {KeyPress::Kind::Enter}},  // beyond the limit
        {"\x1B" + std::string(kTenMegabytes, '['), {KeyPress::Kind::Escape}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.longLine.substr(0, 8)));
        std::istringstream in(c.longLine + "\nj\n");
        LineKeyInput keys(in);
        const KeyPress first = keys.NextKey();
        EXPECT_EQ(first.kind, c.first.kind);
        EXPECT_EQ(first.character, c.first.character);
        const KeyPress second = keys.NextKey();
        EXPECT_EQ(second.kind, KeyPress::Kind::Character);
        EXPECT_EQ(second.character, 'j');
        EXPECT_EQ(keys.NextKey().kind, KeyPress::Kind::EndOfInput);
    }
}

}  // namespace
}  // namespace quorvel::app::terminal
