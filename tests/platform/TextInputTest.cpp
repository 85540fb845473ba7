#include <gtest/gtest.h>

#include <string>

#include "platform/MachineHost.h"
#include "platform/TextInput.h"
#include "tests/support/TempTree.h"

namespace quorvel::platform {
namespace {

MachineHost host;

std::string ReadAll(const std::string& path) {
    TextInputFile input(host, path);
    std::string text;
    char piece[7];  // an odd size, so that reads end anywhere in the buffer
    for (std::size_t count = input.Read(piece, sizeof piece); count > 0;
         count = input.Read(piece, sizeof piece)) {
        text.append(piece, count);
    }
    return text;
}

TEST(TextInput, ReadsLikeWindowsTextMode) {
    struct Case {
        std::string file;
        std::string text;
    };
    const Case cases[] = {
        {"a\r\nb\r\n", "a\nb\n"},
        {"a\nb", "a\nb"},
        {"a\rb\r", "a\rb\r"},    // a CR without LF stays
        {"a\r\r\nb", "a\r\nb"},  // only the CR right before the LF goes
        {"ab\x1A"
         "cd",
         "ab"},  // Ctrl-Z ends the input
        {"\x1A", ""},
        {std::string("a\0b", 3), std::string("a\0b", 3)},
        {"\xE4\xFC\xF6\xDF", "\xE4\xFC\xF6\xDF"},  // bytes are not converted
        {"", ""},
    };
    test::TempTree tree;
    for (const Case& c : cases) {
        tree.WriteFile("case.txt", c.file);
        EXPECT_EQ(ReadAll(tree.Path("case.txt")), c.text);
    }
}

TEST(TextInput, JoinsACrLfPairSplitAcrossTheReadBuffer) {
    test::TempTree tree;
    for (const std::size_t size : {65535u, 65536u, 65537u, 131071u}) {
        std::string file(size, 'x');
        file += "\r\ny";
        std::string text(size, 'x');
        text += "\ny";
        tree.WriteFile("big.txt", file);
        EXPECT_EQ(ReadAll(tree.Path("big.txt")), text) << size;
    }
}

TEST(TextInput, AMissingFileLeavesTheInputFailed) {
    test::TempTree tree;
    TextInputFile input(host, tree.Path("fehlt.txt"));
    EXPECT_FALSE(input.IsOpen());
    char c = 0;
    EXPECT_FALSE(input.ReadSkippingWhitespace(c));
    EXPECT_FALSE(input.HadReadError());
}

TEST(TextInput, ReadsCharactersLikeFormattedExtraction) {
    test::TempTree tree;
    // Every classic whitespace byte is passed over; other control bytes are characters.
    tree.WriteFile("w.txt", " \t\n\v\f\r\r\na\x01 b\xA0");
    TextInputFile input(host, tree.Path("w.txt"));
    std::string read;
    char c = 0;
    while (input.ReadSkippingWhitespace(c)) {
        read.push_back(c);
    }
    EXPECT_EQ(read,
              "a\x01"
              "b\xA0");
    EXPECT_TRUE(input.AtEnd());
    EXPECT_FALSE(input.ReadSkippingWhitespace(c)) << "an ended input yields nothing more";
}

TEST(TextInput, TheEndIsSeenOnlyByTheReadThatRunsIntoIt) {
    test::TempTree tree;
    tree.WriteFile("e.txt", "ab  ");
    TextInputFile input(host, tree.Path("e.txt"));
    char c = 0;
    ASSERT_TRUE(input.ReadSkippingWhitespace(c));
    ASSERT_TRUE(input.ReadSkippingWhitespace(c));
    EXPECT_EQ(c, 'b');
    EXPECT_FALSE(input.AtEnd()) << "consuming the last character does not end the input";
    EXPECT_FALSE(input.ReadSkippingWhitespace(c));
    EXPECT_TRUE(input.AtEnd());
}

TEST(TextInput, PutBackAfterTheLastCharacterOfABuffer) {
    test::TempTree tree;
    tree.WriteFile("p.txt", std::string(65536, 'a') + "b");
    TextInputFile input(host, tree.Path("p.txt"));
    char c = 0;
    for (int i = 0; i < 65536; ++i) {
        ASSERT_TRUE(input.ReadSkippingWhitespace(c));
    }
    input.PutBack();
    ASSERT_TRUE(input.ReadSkippingWhitespace(c));
    EXPECT_EQ(c, 'a');
    ASSERT_TRUE(input.ReadSkippingWhitespace(c));
    EXPECT_EQ(c, 'b');
    EXPECT_FALSE(input.ReadSkippingWhitespace(c));
    EXPECT_TRUE(input.AtEnd());
}

}  // namespace
}  // namespace quorvel::platform
