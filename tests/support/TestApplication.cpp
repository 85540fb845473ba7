#include "tests/support/TestApplication.h"

#include <algorithm>
#include <cstring>

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

std::uint32_t TestApplication::ModuleFileName(char* buffer, std::uint32_t size) {
    if (!modulePath_) {
        return Application::ModuleFileName(buffer, size);
    }
    if (size == 0) {
        return 0;
    }
    // GetModuleFileNameA: a path that does not fit is cut, zero-terminated, and `size` returned.
    const std::size_t length = std::min<std::size_t>(modulePath_->size(), size - 1);
    std::memcpy(buffer, modulePath_->data(), length);
    buffer[length] = '\0';
    return modulePath_->size() < size ? static_cast<std::uint32_t>(length) : size;
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
