#include <gtest/gtest.h>

#include <string>

#include "catalogue/LineEnds.h"
#include "catalogue/NormalisedForm.h"

namespace quorvel::catalogue {
namespace {

std::string Normalised(const std::string& raw) {
    NormalisedTextBuilder builder;
    builder.Feed(raw);
    return builder.Finish();
}

// A catalogue of two blocks, indented with two spaces, and its normalised text.
const std::string kExampleFile = "{\n  Textur{ id(2) a(1) }\n  Textur{ id(7) a(2) b }\n}\n";
const std::string kExampleText =
    "{\tTextur{\tid(2)\ta(1)\t}\n\t\tTextur{\tid(7)\ta(2)\tb}\n\t\t}\n\t\t";

TEST(NormalisedForm, WordsAndTheirSeparators) {
    const std::pair<std::string, std::string> cases[] = {
        {kExampleFile, kExampleText},
        {"Textur {", "Textur{\t"},
        {"id( 12 )", "id(12)\t"},
        {"a(x y)", "a(xy)\t"},
        {"  a(1)\r\n\tb  ", "a(1)\tb"},  // the last word keeps no separator
        {"", ""},
        {" \t\n\v\f\r ", ""},
        {"\xE4(\x80)\v\xFF}", "\xE4(\x80)\t\xFF}\n\t\t"},  // bytes of 0x80 and above are word bytes
        {std::string("a\0b c", 5), std::string("a\0bc", 4)},
    };
    for (const auto& [raw, text] : cases) {
        EXPECT_EQ(Normalised(raw), text) << raw;
        EXPECT_EQ(Normalised(text), text) << "the form is stable: " << raw;
    }
}

TEST(NormalisedForm, PiecesOfAnySizeGiveTheSameText) {
    for (std::size_t split = 0; split <= kExampleFile.size(); ++split) {
        NormalisedTextBuilder builder;
        builder.Feed(std::string_view(kExampleFile).substr(0, split));
        builder.Feed(std::string_view(kExampleFile).substr(split));
        EXPECT_EQ(builder.Finish(), kExampleText) << split;
    }
}

TEST(NormalisedForm, DefinitionsGetTheSeparatorOfEveryCharacter) {
    std::string text = "x";
    AppendDefinition(text, "Textur{id(12)a(1)}");
    EXPECT_EQ(text, "xTextur{\tid(12)\ta(1)\t}\n\t\t");
    AppendDefinition(text, "");
    AppendDefinition(text, "{{}}>>");
    EXPECT_EQ(text, "xTextur{\tid(12)\ta(1)\t}\n\t\t{\t{\t}\n\t\t}\n\t\t>>");
}

TEST(LineEnds, EveryNewlineBecomesCrLf) {
    EXPECT_EQ(WithWindowsLineEnds(kExampleText),
              "{\tTextur{\tid(2)\ta(1)\t}\r\n\t\tTextur{\tid(7)\ta(2)\tb}\r\n\t\t}\r\n\t\t");
    EXPECT_EQ(WithWindowsLineEnds("\n\na"), "\r\n\r\na");
    EXPECT_EQ(WithWindowsLineEnds("a\tb"), "a\tb");
    EXPECT_EQ(WithWindowsLineEnds(""), "");
}

}  // namespace
}  // namespace quorvel::catalogue
