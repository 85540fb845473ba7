#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "catalogue/TextureCatalogue.h"

namespace quorvel::catalogue {
namespace {

constexpr std::size_t kNone = std::string::npos;
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

std::string Marker(std::int64_t id) {
    return "id(" + std::to_string(id) + ")";
}

// The search as first written down: every id from id + 1 up to last tried one after the other.
// Usable for small ranges only.
std::size_t LiteralLocate(std::string& text, std::int32_t id, std::int32_t last, bool remove) {
    const std::size_t marker = text.find(Marker(id));
    if (marker != kNone) {
        const std::size_t start = text.rfind("Textur{", marker);
        if (start == kNone || !remove) {
            return start;
        }
        std::size_t end = text.find('{', start);
        for (int depth = 1; depth > 0 && end != kNone;) {
            end = text.find_first_of("{}", end + 1);
            depth += end == kNone ? 0 : (text[end] == '{' ? 1 : -1);
        }
        if (end != kNone) {
            text.erase(start, end - start + 1);
            return start;
        }
        return kNone;
    }
    for (std::int64_t higher = std::int64_t{id} + 1; higher <= last; ++higher) {
        const std::size_t found = text.find(Marker(higher));
        if (found != kNone) {
            return text.rfind("Textur{", found);
        }
    }
    return text.rfind('}');
}

// Catalogue texts made of the pieces that trouble a marker search.
std::string GeneratedCatalogue(std::mt19937& random) {
    std::uniform_int_distribution<int> idOf(-12, 12);
    std::uniform_int_distribution<int> pieceOf(0, 11);
    std::uniform_int_distribution<int> lengthOf(0, 30);
    std::string text;
    for (int count = lengthOf(random); count > 0; --count) {
        const std::string n = std::to_string(idOf(random));
        const std::string pieces[] = {"Textur{\t",
                                      "}\n\t\t",
                                      "id(" + n + ")\t",
                                      "xid(" + n + ")\t",
                                      "id(0" + n + ")\t",
                                      "id(+" + n + ")\t",
                                      "id(-0)\t",
                                      "id(" + n,
                                      "a(1)\t",
                                      "{\t",
                                      "id(id(" + n + ")\t",
                                      "Textur{id(" + n + ")id(" + n + "1)\t"};
        text += pieces[pieceOf(random)];
    }
    return text;
}

TEST(LocateTexture, GivesThePlaceOfTheLiteralSearchOnGeneratedCatalogues) {
    std::mt19937 random(20240601);
    for (int round = 0; round < 400; ++round) {
        const std::string catalogue = GeneratedCatalogue(random);
        for (std::int32_t id = -14; id <= 14; ++id) {
            for (std::int32_t last = -14; last <= 14; ++last) {
                for (const bool remove : {false, true}) {
                    std::string expected = catalogue;
                    const std::size_t place = LiteralLocate(expected, id, last, remove);
                    TextureCatalogue located(catalogue);
                    ASSERT_EQ(located.LocateTexture(id, last, remove), place)
                        << catalogue << " id " << id << " last " << last;
                    ASSERT_EQ(located.Text(), expected);
                }
            }
        }
    }
}

TEST(LocateTexture, ExtremeDistancesCostNoLoopAndNoOverflow) {
    const std::string catalogue = "{\tTextur{\tid(2147483647)\t}\n\t\tTextur{\tid(-5)\t}\n\t\t}";
    const std::size_t highest = catalogue.find("Textur{");
    const std::size_t second = catalogue.find("Textur{", highest + 1);
    const std::size_t lastBrace = catalogue.rfind('}');
    struct Case {
        std::int32_t id, last;
        std::size_t place;
    };
    const Case cases[] = {
        {kMin, kMax, second},      {-5, kMax, second},          {-4, kMax, highest},
        {kMax - 1, kMax, highest}, {kMax, kMax, highest},       {kMin, -6, lastBrace},
        {kMin, kMin, lastBrace},   {kMax - 1, kMin, lastBrace},
    };
    for (const Case& c : cases) {
        TextureCatalogue located(catalogue);
        EXPECT_EQ(located.LocateTexture(c.id, c.last, false), c.place) << c.id << " " << c.last;
    }
    TextureCatalogue lowest("Textur{\tid(-2147483648)\t}\n\t\t}");
    EXPECT_EQ(lowest.LocateTexture(kMin, kMax, true), 0u);
    EXPECT_EQ(lowest.Text(), "\n\t\t}");
}

TEST(LocateTexture, NoValidPlaceChangesNothing) {
    const std::pair<std::string, std::int32_t> cases[] = {
        {"{\tid(5)\t}\n\t\t", 5},          // marker with no "Textur{" before it
        {"{\tid(9)\t}\n\t\t", 5},          // the same for the next higher marker
        {"{\tTextur{\tid(5)\ta(1)\t", 5},  // a block never closed
        {"Textur{\tid(3)\ta", 5},          // no "}" to insert before
        {"", 5},
    };
    for (const auto& [catalogue, id] : cases) {
        TextureCatalogue located(catalogue);
        EXPECT_EQ(located.LocateTexture(id, located.LastTextureId(), true), kNone) << catalogue;
        EXPECT_EQ(located.Text(), catalogue);
    }
}

TEST(LastTextureId, TheNumberAfterTheLastIdOpening) {
    const std::pair<std::string, std::int32_t> cases[] = {
        {"{\tTextur{\tid(2)\t}\n\t\tTextur{\tid(7)\tb}\n\t\t}\n\t\t", 7},
        {"Textur{\tid(1)\t}Textur{\tid(10)\t}Textur{\tid(3)\t}", 3},  // text order, not the largest
        {"Textur{\tid(12abc)\t}", 12},
        {"Textur{\txid(-4)\t}", -4},
        {"id(7", 7},
        {"id(99999999999)\t", kMax},
        {"id(-99999999999)\t", kMin},
        {"id(3)\tid(", 0},
        {"id(3)\tid()\t", 0},
        {"", 0},
        {"Textur{\ta(1)\t}", 0},  // no marker: 0
    };
    for (const auto& [catalogue, last] : cases) {
        EXPECT_EQ(TextureCatalogue(catalogue).LastTextureId(), last) << catalogue;
    }
}

TEST(FindBlockEnd, TheBraceThatClosesTheFirstOpeningOne) {
    const std::string catalogue = "x{\ta{\tb{\t}\n\t\t}\n\t\t}\n\t\t{";
    const TextureCatalogue blocks(catalogue);
    EXPECT_EQ(blocks.FindBlockEnd(0), catalogue.rfind('}'));
    EXPECT_EQ(blocks.FindBlockEnd(2), catalogue.find('}', catalogue.find('}') + 1));
    EXPECT_EQ(blocks.FindBlockEnd(catalogue.size() - 1), kNone);  // never closed
    EXPECT_EQ(blocks.FindBlockEnd(catalogue.size()), kNone);
    EXPECT_EQ(TextureCatalogue("a}b").FindBlockEnd(0), kNone);
}

}  // namespace
}  // namespace quorvel::catalogue
