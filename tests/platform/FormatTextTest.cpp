#include <gtest/gtest.h>

#include "platform/Application.h"

namespace quorvel::platform {
namespace {

TEST(FormatText, FillsEachPlaceholderInOrder) {
    struct Case {
        const char* format;
        std::initializer_list<std::string_view> arguments;
        const char* expected;
    };
    const Case cases[] = {
        {"%s nach %s", {"a", "b"}, "a nach b"},
        {"%s", {"100%s"}, "100%s"},  // arguments are not formats
        {"50%% von %s", {"x"}, "50% von x"},
        {"%d bleibt %", {}, "%d bleibt %"},
        {"%s und %s", {"nur"}, "nur und "},
        {"", {"a"}, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatText(c.format, c.arguments), c.expected) << c.format;
    }
}

}  // namespace
}  // namespace quorvel::platform
