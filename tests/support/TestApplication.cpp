#include "tests/support/TestApplication.h"

#include "app/MessageTable.h"

namespace quorvel::test {

int TestApplication::DoMessageBox(const std::string& text, unsigned type) {
    messages_.push_back({text, type});
    if (onMessage_) {
        onMessage_(messages_.back());
    }
    if (type != platform::kMbYesNo) {
        return platform::kIdOk;
    }
    if (answers_.empty()) {
        return platform::kIdYes;
    }
    const int answer = answers_.front();
    answers_.pop_front();
    return answer;
}

std::string TestApplication::LoadMessage(unsigned id) {
    return app::MessageText(id);
}

std::vector<std::string> TestApplication::Texts() const {
    std::vector<std::string> texts;
    for (const ShownMessage& message : messages_) {
        texts.push_back(message.text);
    }
    return texts;
}

std::string Message(unsigned id, std::initializer_list<std::string_view> arguments) {
    return platform::FormatText(app::MessageText(id), arguments);
}

}  // namespace quorvel::test
