// The catalogue's merge over chunks against the merge as first written (one string searched whole
// for every entry, tests/support/ReferenceCatalogue.h): the same results and the same text after
// every entry, for the cases that decide the rules and for generated catalogues with chunk ends
// put everywhere.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "catalogue/ChunkedText.h"
#include "catalogue/LineEnds.h"
#include "catalogue/TextureCatalogue.h"
#include "tests/support/ReferenceCatalogue.h"

namespace quorvel::catalogue {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

struct Entry {
    std::int32_t id;
    std::string definition;
};

// Merges `entries` into `text` both ways, cut into chunks of `chunkSize`, and compares every
// step; the failure message names the step.
void ExpectSameMerge(const std::string& text, const std::vector<Entry>& entries,
                     std::size_t chunkSize) {
    TextureCatalogue chunked(text, chunkSize);
    test::ReferenceCatalogue reference(text);
    for (std::size_t step = 0; step < entries.size(); ++step) {
        const Entry& entry = entries[step];
        SCOPED_TRACE(testing::Message()
                     << "entry " << step << " id " << entry.id << " \"" << entry.definition
                     << "\" chunks of " << chunkSize << " in " << testing::PrintToString(text));
        ASSERT_EQ(chunked.LastTextureId(), reference.LastTextureId());
        const MergeResult got = chunked.Merge(entry.id, entry.definition);
        const MergeResult want = reference.Merge(entry.id, entry.definition);
        ASSERT_EQ(got.action, want.action);
        ASSERT_EQ(got.beforeId, want.beforeId);
        ASSERT_EQ(got.oldBlock, want.oldBlock);
        ASSERT_EQ(got.newBlock, want.newBlock);
        ASSERT_EQ(chunked.Text(), reference.Text());
    }
    EXPECT_EQ(chunked.FileBytes(), WithWindowsLineEnds(reference.Text()));
}

TEST(ChunkedMerge, KeepsEveryRuleOfTheMerge) {
    struct Case {
        const char* what;
        std::string text;
        std::vector<Entry> entries;
    };
    const std::string example =
        "{\tTextur{\tid(1200)\ta(1)\t}\n\t\tTextur{\tid(1210)\ta(2)\t}\n\t\tTextur{\tid(1300)\t}"
        "\n\t\t}\n\t\t";
    const Case cases[] = {
        {"replace, insert, append, remove, pass over",
         example,
         {{1210, "Textur{id(1210)b(1)}"},
          {1205, "Textur{id(1205)}"},
          {5000, "Textur{id(5000)}"},
          {1200, ""},
          {7, ""}}},
        {"a marker inside a longer word counts",
         "Textur{\txid(5)\t}\n\t\t}",
         {{5, "Textur{id(5)}"}}},
        {"only the first occurrence of an id counts",
         "Textur{\tid(5)\t}\n\t\tTextur{\tid(5)\tb\t}\n\t\t}",
         {{5, ""}, {5, ""}, {5, ""}}},
        {"the nearest higher id decides, however far",
         "Textur{\tid(900000)\t}\n\t\tTextur{\tid(40000)\t}\n\t\t}",
         {{1, "Textur{id(1)}"}, {40001, "Textur{id(40001)}"}}},
        {"last is read anew after every entry",
         "Textur{\tid(10)\t}\n\t\t}",
         {{20, "Textur{id(20)}"}, {15, "Textur{id(15)}"}, {30, "Textur{id(30)}"}}},
        {"the block erased begins at the last Textur{ before the marker",
         "Textur{\ta\t}\n\t\tx\tid(5)\t}\n\t\t}",
         {{5, "Textur{id(5)}"}}},
        {"an insertion makes a marker across its own start",
         "Textur{\twid(\tTextur{\tid(9)\t}\n\t\t}",
         {{8, "5)Textur{id(8)}"}, {5, ""}}},
        {"an erasure joins a marker whose } stood inside a word",
         "xid(\tTextur{\tid(3)\t}5)\tTextur{\tid(7)\t}\n\t\t}",
         {{3, ""}, {5, ""}}},
        {"no }", "Textur{\tid(1)\t", {{2, "Textur{id(2)}"}, {1, ""}}},
        {"no Textur{", "{\tid(1)\t}\n\t\t", {{1, "a"}, {0, "b"}}},
        {"a block never closed", "Textur{\tid(1)\t{\t}\n\t\t", {{1, "c"}}},
        {"ids at the 32-bit limits and in no order",
         "Textur{\tid(2147483647)\t}\n\t\tTextur{\tid(-2147483648)\t}\n\t\tTextur{\tid(0)\t}"
         "\n\t\t}",
         {{kMin, "m"}, {kMax, ""}, {-1, "n"}, {kMax, "o"}}},
        {"the last id( names no id", "Textur{\tid(3)\t}\n\t\tid(99999999999)\t}", {{2, "p"}}},
        {"the last id( read across whitespace", "Textur{\tid(3)\t}\n\t\tid(\t\n4\t}", {{1, "q"}}},
        {"an empty catalogue", "", {{1, "Textur{id(1)}"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const std::size_t chunkSize : {1u, 2u, 3u, 5u, 8u, 13u, 64u, 16384u}) {
            ExpectSameMerge(c.text, c.entries, chunkSize);
        }
    }
}

// Text from pieces that make and break the merge's words, separated or not.
std::string GeneratedText(std::mt19937& random, std::size_t pieces) {
    static const char* const kPieces[] = {
        "Textur{", "id(",    "}",   "{",      ")",          "5",           "12",
        "-3",      "0",      "007", "x",      "2147483647", "-2147483648", "99999999999",
        "\t",      "\n\t\t", "\t",  "\n\t\t", "a(1)",       "id(5)",
    };
    std::uniform_int_distribution<std::size_t> piece(0, std::size(kPieces) - 1);
    std::string text;
    for (std::size_t i = 0; i < pieces; ++i) {
        text += kPieces[piece(random)];
    }
    return text;
}

TEST(ChunkedMerge, GivesTheSameAsTheWholeStringMergeForGeneratedCatalogues) {
    std::mt19937 random(20261208);
    static const std::int32_t kIds[] = {0, 1, 3, 5, 7, 12, -3, 2147483647, kMin, 40000};
    static const char* const kDefinitions[] = {
        "",
        "",
        "Textur{id(5)a(1)}",
        "5)",
        ")Textur{",
        "}",
        "{",
        "id(",
        "Textur{id(12)}",
        "x",
        "Textur{id(7)}Textur{id(3)}",
        "2)",
    };
    std::uniform_int_distribution<std::size_t> pieces(0, 60);
    std::uniform_int_distribution<std::size_t> entryCount(1, 8);
    std::uniform_int_distribution<std::size_t> anyId(0, std::size(kIds) - 1);
    std::uniform_int_distribution<std::size_t> anyDefinition(0, std::size(kDefinitions) - 1);
    std::uniform_int_distribution<std::size_t> chunkSize(1, 24);
    constexpr int kCatalogues = 10000;
    for (int n = 0; n < kCatalogues; ++n) {
        const std::string text = GeneratedText(random, pieces(random));
        std::vector<Entry> entries(entryCount(random));
        for (Entry& entry : entries) {
            entry = {kIds[anyId(random)], kDefinitions[anyDefinition(random)]};
        }
        ExpectSameMerge(text, entries, chunkSize(random));
        if (testing::Test::HasFatalFailure()) {
            return;
        }
    }
}

TEST(ChunkedMerge, LocatesAndFindsBlockEndsAsTheWholeString) {
    std::mt19937 random(8122026);
    std::uniform_int_distribution<std::size_t> pieces(0, 40);
    std::uniform_int_distribution<int> id(-4, 14);
    std::uniform_int_distribution<std::size_t> chunkSize(1, 16);
    for (int n = 0; n < 2000; ++n) {
        const std::string text = GeneratedText(random, pieces(random));
        TextureCatalogue chunked(text, chunkSize(random));
        test::ReferenceCatalogue reference(text);
        for (std::size_t from = 0; from <= text.size() + 1; ++from) {
            ASSERT_EQ(chunked.FindBlockEnd(from), reference.FindBlockEnd(from)) << text << from;
        }
        const std::int32_t sought = id(random);
        const std::int32_t last = id(random);
        const bool remove = (n % 2) == 0;
        ASSERT_EQ(chunked.LocateTexture(sought, last, remove),
                  reference.LocateTexture(sought, last, remove))
            << testing::PrintToString(text) << " " << sought << " " << last;
        ASSERT_EQ(chunked.Text(), reference.Text());
    }
}

TEST(ChunkedText, AnErasureUpToAChunksEndJoinsTheWordsAroundIt) {
    struct Case {
        std::string text;
        std::size_t chunkSize, pos, count;
        std::string_view word;
    };
    const Case cases[] = {
        {"ax\tid(\t5", 2, 2, 1, "xid("},      // chunks "ax\t" "id(\t" "5": "axid(" after it
        {"Tex\ttur{\t", 3, 3, 1, "Textur{"},  // "Textur{" made of two chunks
        {"id(\t\t5)", 1, 3, 2, "id(5)"},      // a marker made of three
    };
    for (const Case& c : cases) {
        ChunkedText chunked(c.text, c.chunkSize);
        std::string whole = c.text;
        chunked.Replace(c.pos, c.count, {});
        whole.erase(c.pos, c.count);
        EXPECT_EQ(chunked.RFind(c.word), whole.rfind(c.word)) << whole;
        EXPECT_NE(chunked.RFind(c.word), ChunkedText::npos) << whole;
    }
}

TEST(ChunkedText, AnyEditKeepsEveryWordSearchableWhereverTheChunksEnd) {
    // Edits of any kind, also ones the merge never makes (an erasure up to a chunk's end, text
    // ending in a word): every word stays findable as in one string.
    std::mt19937 random(1208);
    std::uniform_int_distribution<std::size_t> pieces(0, 30);
    std::uniform_int_distribution<std::size_t> chunkSize(1, 12);
    for (int n = 0; n < 2000; ++n) {
        std::string whole = GeneratedText(random, pieces(random));
        ChunkedText chunked(whole, chunkSize(random));
        for (int edit = 0; edit < 6; ++edit) {
            const std::size_t pos =
                std::uniform_int_distribution<std::size_t>(0, whole.size())(random);
            const std::size_t count =
                std::uniform_int_distribution<std::size_t>(0, whole.size() - pos)(random);
            const std::string with = GeneratedText(random, pieces(random) / 6);
            whole.replace(pos, count, with);
            chunked.Replace(pos, count, with);
            ASSERT_EQ(chunked.Flatten(), whole);
            ASSERT_EQ(chunked.Size(), whole.size());
            for (std::size_t before = 0; before <= whole.size(); ++before) {
                for (const std::string_view word : {"id(", "Textur{", "id(5)", "xid("}) {
                    ASSERT_EQ(chunked.RFind(word, before), whole.rfind(word, before))
                        << testing::PrintToString(whole) << " " << word << " " << before;
                }
            }
            ASSERT_EQ(chunked.RFind('}'), whole.rfind('}'));
        }
    }
}

}  // namespace
}  // namespace quorvel::catalogue
