#include "app/VisibleText.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/Cp1252.h"

namespace quorvel::app::terminal {
namespace {

using namespace std::string_literals;

struct Case {
    std::string text;
    std::string shown;
};

TEST(VisibleText, MessageTextsShowNoControlCharacter) {
    // Windows-1252 texts as the message boxes get them.
    const Case cases[] = {
        {"Datei \x1B[2Jweg.dat", "Datei ?[2Jweg.dat"},
        {"Klingel\a", "Klingel?"},
        {"\x1B]52;c;SGFsbG8=\a.dat", "?]52;c;SGFsbG8=?.dat"},
        {"a\x7F"
         "b",
         "a?b"},
        {"\x81\x8D\x8F\x90\x9D", "?????"},  // undefined in 1252: C1 controls after conversion
        {"\x80 \x84\x93\x94 \x8A\x9B\x9F", "€ „“” Š›Ÿ"},  // 1252's printable 0x80 to 0x9F
        {"Z\xFCge \xC4\xD6\xDC\xDF \xE4\xF6", "Züge ÄÖÜß äö"},
        {"Die Datei:\n\nx\n", "Die Datei:\n\nx\n"},
        {"a\r\nb\x0B"
         "c\x0C"
         "d\b",
         "a?\nb?c?d?"},
        {"a\tb", "a b"},
        {"a\0b"s, "a?b"},
        {"\x1A\x1F\x01", "???"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VisibleText(platform::Cp1252ToUtf8(c.text)), c.shown)
            << testing::PrintToString(c.text);
    }
}

TEST(VisibleText, FolderNamesShowNoControlCharacter) {
    // UTF-8 file names as Linux gives them, with any bytes in them.
    const Case cases[] = {
        {"/h/Z\xC3\xBCge/\xE2\x82\xAC", "/h/Z\xC3\xBCge/\xE2\x82\xAC"},
        {"/h/\xC2\x9B"
         "2J",
         "/h/?2J"},  // CSI as a C1 control
        {"/h/\xC2\x80\xC2\x9F\xC2\xA0", "/h/??\xC2\xA0"},
        {"/h/\x9B"
         "2J",
         "/h/?2J"},                // a lone byte that some terminals read as CSI
        {"/h/\xC0\x9B", "/h/??"},  // an overlong form is no character
        {"/h/\xF0\x9F\x9A\x82", "/h/\xF0\x9F\x9A\x82"},
        {"/h/\xE2\x82", "/h/??"},  // cut off
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VisibleText(c.text), c.shown) << testing::PrintToString(c.text);
    }
}

}  // namespace
}  // namespace quorvel::app::terminal
