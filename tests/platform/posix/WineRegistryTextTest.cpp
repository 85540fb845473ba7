// The reader of Wine's registry text, on hand-made lines; real files are read in
// PosixRegistryTest and RealWinePrefixTest.
#include <gtest/gtest.h>

#include <string>

#include "platform/posix/Utf16Text.h"
#include "platform/posix/WineRegistryText.h"

namespace quorvel::platform::posix {
namespace {

const std::string kHeader = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n";

std::string Utf16Bytes(std::u16string_view text) {
    return Utf16ToLittleEndian(text);
}
std::string StringBytes(std::u16string_view text) {
    return Utf16Bytes(text) + std::string(2, '\0');
}

// The single value of a key whose section holds `lines`.
RegistryText ParseValueLines(const std::string& lines) {
    return ParseWineRegistry(kHeader + "[Software\\\\Test] 1700000000\n#time=1d9\n" + lines + "\n");
}

TEST(WineRegistryText, ReadsEachKindOfValue) {
    struct Case {
        const char* lines;
        std::u16string name;
        std::uint32_t type;
        std::string bytes;
    };
    const Case cases[] = {
        {R"("AppPath"="C:\\Sim\\Start.exe")", u"AppPath", kRegSz,
         StringBytes(u"C:\\Sim\\Start.exe")},
        {R"(@="Standard")", u"", kRegSz, StringBytes(u"Standard")},
        {R"(""="leer")", u"", kRegSz, StringBytes(u"leer")},
        {R"("E"="")", u"E", kRegSz, StringBytes(u"")},
        {R"("Q"="say \"hi\" \\ x")", u"Q", kRegSz, StringBytes(u"say \"hi\" \\ x")},
        {R"("C"="a\nb\r\t\1\e\a\b\f\v end")", u"C", kRegSz,
         StringBytes(u"a\nb\r\t\x01\x1b\a\b\f\v end")},
        // \x takes up to four hex digits; Wine writes four when a hex digit follows.
        {R"("H"="\x00e4a\xe4g\x20ac\x2603")", u"H", kRegSz,
         StringBytes(u"\u00e4a\u00e4g\u20ac\u2603")},
        {R"("X"="\xd83d\xde00 \x41000")", u"X", kRegSz,
         StringBytes(u"\xd83d\xde00 \x4100"
                     u"0")},
        {R"("O"="7\0027\0\101")", u"O", kRegSz,
         StringBytes(std::u16string(u"7\x02"
                                    u"7\0A",
                                    5))},
        {R"("U"="\q\]\x!")", u"U", kRegSz, StringBytes(u"q]x!")},  // unknown escapes: the character
        {"\"R\"=\"K\xC3\xA4se \xE2\x82\xAC \xF0\x9F\x98\x80 \xE4\"", u"R", kRegSz,
         StringBytes(u"K\u00e4se \u20ac \U0001F600 \u00e4")},  // UTF-8, a stray byte as Latin-1
        {R"("Gr\xfc\x00dfe"="x")", u"Gr\u00fc\u00dfe", kRegSz, StringBytes(u"x")},
        {R"("Exp"=str(2):"%SystemRoot%\\Z\xe4h")", u"Exp", kRegExpandSz,
         StringBytes(u"%SystemRoot%\\Z\u00e4h")},
        {R"("M"=str(7):"eins\0zwei\0")", u"M", kRegMultiSz,
         StringBytes(std::u16string(u"eins\0zwei\0", 10))},
        {R"("S"=str:"s")", u"S", kRegSz, StringBytes(u"s")},
        {"\"D\"=dword:12345678", u"D", kRegDword, "\x78\x56\x34\x12"},
        {"\"D\"=dword:0000001", u"D", kRegDword, std::string("\x01\0\0\0", 4)},
        {"\"B\"=hex:01,02,ff,00", u"B", kRegBinary, std::string("\x01\x02\xff\x00", 4)},
        {"\"B\"=hex:01,02,\\\n  03,04,\\\n  05", u"B", kRegBinary, "\x01\x02\x03\x04\x05"},
        {"\"B\"=hex:", u"B", kRegBinary, ""},
        {"\"N\"=hex(0):", u"N", kRegNone, ""},
        {"\"T\"=hex(1):61,00,62", u"T", kRegSz, std::string("a\0b", 3)},
        {"\"Q\"=hex(b):88,77,66,55,44,33,22,11", u"Q", 11, "\x88\x77\x66\x55\x44\x33\x22\x11"},
        {"\"P\"=hex(ffff1003):0a", u"P", 0xffff1003u, "\x0a"},
        {"\"W\"=hex:1, 2 ,a\r", u"W", kRegBinary, "\x01\x02\x0a"},  // blanks and a CR
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines);
        const RegistryText text = ParseValueLines(c.lines);
        EXPECT_TRUE(text.problems.empty()) << text.problems.front().what;
        ASSERT_EQ(text.keys.size(), 1u);
        ASSERT_EQ(text.keys[0].values.size(), 1u);
        const RegistryValueRecord& value = text.keys[0].values[0];
        EXPECT_TRUE(value.name == c.name);
        EXPECT_EQ(value.type, c.type);
        EXPECT_EQ(value.bytes, c.bytes);
    }
}

TEST(WineRegistryText, PassesOverLinesItCannotRead) {
    const char* const cases[] = {
        "\"D\"=dword:123456789",  // nine digits
        "\"D\"=dword:12x",        // not hex
        "\"D\"=dword:",           // no digits
        "\"B\"=hex:123",          // three digits in one byte
        "\"B\"=hex:01,,02",       // empty byte
        "\"B\"=hex(1x):01",       // bad type
        "\"S\"=\"open",           // no closing quote
        "\"S\"=\"a\" b",          // text after the string
        "\"S\"=str(2)\"a\"",      // no colon
        "\"S\"",                  // no '='
        "\"S\"=wrong:1",          // unknown data
        "\"Name=\"x\"",           // name without its closing quote
        "plain text",             // no line kind
    };
    for (const char* line : cases) {
        SCOPED_TRACE(line);
        const RegistryText text = ParseValueLines(std::string(line) + "\n\"After\"=\"ok\"");
        ASSERT_EQ(text.problems.size(), 1u);
        EXPECT_EQ(text.problems[0].line, 6u);
        ASSERT_EQ(text.keys.size(), 1u);
        ASSERT_EQ(text.keys[0].values.size(), 1u);  // the line after it is read
        EXPECT_TRUE(text.keys[0].values[0].name == u"After");
    }
}

TEST(WineRegistryText, ReadsSectionsAndTheirOptions) {
    const RegistryText text =
        ParseWineRegistry(kHeader +
                          "#arch=win64\n"
                          "[Software\\\\Classes\\\\K\\xe4se\\]\"x\\\\Deep] 1796699477\n"
                          "#time=1dd86c1cac585e0\n"
                          "#class=\"Klasse \\xe4\\\"x\"\n"
                          "\n"
                          "[Software\\\\Link]\r\n"
                          "#link\r\n"
                          "\"SymbolicLinkValue\"=hex(6):5c,00\r\n"
                          "  ; a comment may stand anywhere\n"
                          "[Software\\\\\\\\Doubled\\\\]\n");
    EXPECT_TRUE(text.hasHeader);
    EXPECT_TRUE(text.problems.empty());
    ASSERT_EQ(text.keys.size(), 3u);
    EXPECT_TRUE((text.keys[0].path ==
                 std::vector<std::u16string>{u"Software", u"Classes", u"K\u00e4se]\"x", u"Deep"}));
    EXPECT_FALSE(text.keys[0].isLink);
    EXPECT_TRUE(text.keys[1].isLink);
    EXPECT_EQ(text.keys[1].values.size(), 1u);
    EXPECT_TRUE((text.keys[2].path == std::vector<std::u16string>{u"Software", u"Doubled"}));
}

TEST(WineRegistryText, RefusesTextWithoutTheHeader) {
    const char* const cases[] = {"", "REGEDIT4\n[Software]\n", "WINE REGISTRY Version 1\n[A]\n"};
    for (const char* content : cases) {
        const RegistryText text = ParseWineRegistry(content);
        EXPECT_FALSE(text.hasHeader);
        EXPECT_TRUE(text.keys.empty());
        EXPECT_EQ(text.problems.size(), 1u);
    }
}

TEST(WineRegistryText, ReportsValuesOutsideKeysAndBrokenHeaders) {
    const RegistryText text = ParseWineRegistry(kHeader +
                                                "\"Early\"=\"x\"\n"
                                                "[Software\\\\Open\n"
                                                "\"Lost\"=\"y\"\n"
                                                "[Software\\\\Good]\n"
                                                "\"Kept\"=hex:01,\\\n"
                                                "  02\n");
    ASSERT_EQ(text.problems.size(), 3u);
    EXPECT_EQ(text.problems[0].line, 4u);
    EXPECT_EQ(text.problems[1].line, 5u);
    EXPECT_EQ(text.problems[2].line, 6u);
    ASSERT_EQ(text.keys.size(), 1u);
    ASSERT_EQ(text.keys[0].values.size(), 1u);
    EXPECT_EQ(text.keys[0].values[0].bytes, "\x01\x02");
}

}  // namespace
}  // namespace quorvel::platform::posix
