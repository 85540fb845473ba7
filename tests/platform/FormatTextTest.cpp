#include <gtest/gtest.h>

#include "platform/Application.h"
#include "tests/support/TestApplication.h"

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

TEST(ApplicationObject, MessageBoxesReachTheCurrentApplication) {
    EXPECT_EQ(AppMessageBox("ohne Anwendung", kMbOk), kIdCancel);
    {
        test::TestApplication application;
        application.QueueAnswers({kIdNo});
        EXPECT_EQ(AppMessageBox(106, kMbYesNo), kIdNo);
        EXPECT_EQ(AppMessageBox("Text", kMbOk), kIdOk);
        ASSERT_EQ(application.Messages().size(), 2u);
        EXPECT_EQ(application.Messages()[0].type, kMbYesNo);
        EXPECT_EQ(application.Messages()[0].text.substr(0, 10), "Die Datei:");
        EXPECT_EQ(application.Messages()[1].text, "Text");
    }
    EXPECT_EQ(Application::Current(), nullptr);
}

}  // namespace
}  // namespace quorvel::platform
