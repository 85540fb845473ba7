#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "catalogue/IdNumber.h"

namespace quorvel::catalogue {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

TEST(IdNumber, ReadsLikeAtoiAndSaturatesBeyond32Bits) {
    const std::pair<std::string, std::int32_t> cases[] = {
        {"12", 12},
        {"12abc", 12},
        {"abc", 0},
        {"", 0},
        {"-3", -3},
        {"+5", 5},
        {"007", 7},
        {"-", 0},
        {"--5", 0},
        {" \t\n7", 7},
        {"1)2", 1},
        {"-0", 0},
        {"2147483647", kMax},
        {"2147483648", kMax},
        {"99999999999999999999999", kMax},
        {"-2147483648", kMin},
        {"-2147483649", kMin},
        {"-99999999999999999999999", kMin},
    };
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(ReadLeadingNumber(text), value) << text;
    }
}

TEST(IdNumber, OnlyThePlainDecimalFormIsAMarker) {
    const std::pair<std::string, std::optional<std::int32_t>> cases[] = {
        {"id(12)", 12},
        {"id(0)", 0},
        {"id(-3)", -3},
        {"id(2147483647)", kMax},
        {"id(-2147483648)", kMin},
        {"id(12)x", 12},
        {"id(007)", std::nullopt},
        {"id(+5)", std::nullopt},
        {"id(-0)", std::nullopt},
        {"id(00)", std::nullopt},
        {"id()", std::nullopt},
        {"id(-)", std::nullopt},
        {"id(12", std::nullopt},
        {"id(5a)", std::nullopt},
        {"id(2147483648)", std::nullopt},
        {"id(-2147483649)", std::nullopt},
        {"id(12345678901)", std::nullopt},
    };
    for (const auto& [text, id] : cases) {
        EXPECT_EQ(MarkedIdAt(text, 0), id) << text;
    }
    for (const std::int32_t id : {0, 1, -1, 12, -3, 1000000, kMax, kMin, kMin + 1}) {
        const std::string marker = IdMarker(id);
        EXPECT_EQ(marker, "id(" + std::to_string(id) + ")");
        EXPECT_EQ(MarkedIdAt("x" + marker, 1), id) << marker;
    }
}

}  // namespace
}  // namespace quorvel::catalogue
