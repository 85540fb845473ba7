#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Cp1252.h"

namespace quorvel::platform {
namespace {

TEST(Cp1252, EveryByteSurvivesTheRoundTripThroughUtf8) {
    std::string all;
    for (int byte = 1; byte < 256; ++byte) {
        all.push_back(static_cast<char>(byte));
    }
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(Cp1252, ConvertsGermanTextAndTheHighControlRange) {
    EXPECT_EQ(Cp1252ToUtf8("H\xE4user \xDF \x80"), "Häuser ß €");
    EXPECT_EQ(Utf8ToCp1252("Häuser ß € „Ja“"), std::string("H\xE4user \xDF \x80 \x84Ja\x93"));
}

TEST(Cp1252, RefusesWhatItCannotRepresent) {
    const char* refused[] = {
        "\xE2\x82",          // cut-off sequence
        "\xC0\xAE",          // overlong '.', which must never turn into a dot
        "\xED\xA0\x80",      // surrogate
        "\xFF",              // not UTF-8
        "\xE4\xB8\xAD",      // a character outside 1252
        "\xF0\x9F\x98\x80",  // outside the basic plane
    };
    for (const char* text : refused) {
        EXPECT_FALSE(Utf8ToCp1252(text).has_value()) << text;
    }
}

TEST(Cp1252, FoldsCaseLikeWindowsNameComparison) {
    EXPECT_EQ(Cp1252ToUpper('a'), 'A');
    EXPECT_EQ(Cp1252ToUpper(0xE4), 0xC4);  // ä
    EXPECT_EQ(Cp1252ToUpper(0xFF), 0x9F);  // ÿ
    EXPECT_EQ(Cp1252ToUpper(0x9A), 0x8A);  // š
    EXPECT_EQ(Cp1252ToUpper(0xF7), 0xF7);  // ÷ has no case
    EXPECT_EQ(Cp1252ToUpper(0xDF), 0xDF);  // ß stays
    EXPECT_EQ(Cp1252ToUpper('.'), '.');
}

TEST(Cp1252, MatchesUtf8NamesIgnoringCase) {
    struct Case {
        const char* utf8;
        const char* cp1252;
        bool match;
    };
    const Case cases[] = {
        {"Haus.dat", "HAUS.DAT", true},
        {"Häuser", "H\xC4USER", true},
        {"Häuser", "H\xE4user", true},
        {"Ÿ", "\xFF", true},  // ÿ folds to Ÿ
        {"Haus.dat", "Haus.da", false},
        {"Haus.da", "Haus.dat", false},
        {"Hauser", "H\xE4user", false},
        {"\xC3", "\xC3", false},  // not UTF-8
        {"中", "?", false},
        {"", "", true},
        {"a\xC0\xAE", "a.", false},  // an overlong dot is no dot
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf8MatchesCp1252IgnoringCase(c.utf8, c.cp1252), c.match) << c.utf8;
        // The upper-case keys that folders are cached by say the same.
        const std::optional<std::string> key = Cp1252UpperCaseOfUtf8(c.utf8);
        EXPECT_EQ(key && *key == Cp1252UpperCase(c.cp1252), c.match) << c.utf8;
    }
}

TEST(Cp1252, UpperCaseKeysMatchExactlyWhenTheNamesDo) {
    // Short names of bytes that matter: both cases of letters, umlauts, the bytes 1252 leaves
    // undefined, and pieces of UTF-8 sequences, valid or not.
    const std::string alphabet = "aA\xE4\xC4\xFF\x9F\x8A\x9A\xDF\x81.\xC3\xA4\x80";
    std::uint32_t seed = 12345;
    const auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7FFF;
    };
    const auto randomName = [&] {
        std::string name;
        for (std::uint32_t length = next() % 4; length > 0; --length) {
            name += alphabet[next() % alphabet.size()];
        }
        return name;
    };
    for (int round = 0; round < 20000; ++round) {
        const std::string cp1252 = randomName();
        // Half of the UTF-8 names are a 1252 name converted, so that matches are common.
        const std::string utf8 = round % 2 == 0 ? Cp1252ToUtf8(randomName()) : randomName();
        const std::optional<std::string> key = Cp1252UpperCaseOfUtf8(utf8);
        ASSERT_EQ(key && *key == Cp1252UpperCase(cp1252),
                  Utf8MatchesCp1252IgnoringCase(utf8, cp1252))
            << "utf8 '" << utf8 << "' cp1252 '" << cp1252 << "'";
    }
}

}  // namespace
}  // namespace quorvel::platform
