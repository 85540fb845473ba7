#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "platform/TextInput.h"
#include "tests/support/TempTree.h"

namespace quorvel::platform {
namespace {

std::string ReadAll(const std::string& path) {
    TextInputFile input(path);
    return std::string(std::istreambuf_iterator<char>(input), std::istreambuf_iterator<char>());
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

TEST(TextInput, AMissingFileLeavesTheStreamFailed) {
    test::TempTree tree;
    TextInputFile input(tree.Path("fehlt.txt"));
    EXPECT_FALSE(input.IsOpen());
    char c = 0;
    EXPECT_FALSE(input >> c);
}

TEST(TextInput, PutBackAfterTheLastCharacterOfABuffer) {
    test::TempTree tree;
    tree.WriteFile("p.txt", std::string(65536, 'a') + "b");
    TextInputFile input(tree.Path("p.txt"));
    char c = 0;
    for (int i = 0; i < 65536; ++i) {
        ASSERT_TRUE(input >> c);
    }
    input.putback(c);
    ASSERT_TRUE(input >> c);
    EXPECT_EQ(c, 'a');
    ASSERT_TRUE(input >> c);
    EXPECT_EQ(c, 'b');
    EXPECT_FALSE(input >> c);
    EXPECT_TRUE(input.eof());
}

}  // namespace
}  // namespace quorvel::platform
