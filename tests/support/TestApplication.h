// An application object for tests: it records every message box and answers from a script.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/Application.h"

namespace quorvel::test {

struct ShownMessage {
    std::string text;  // Windows-1252, as the engine formatted it
    unsigned type;
};

class TestApplication : public platform::Application {
public:
    int DoMessageBox(const std::string& text, unsigned type) override;
    std::string LoadMessage(unsigned id) override;

    // Answers for the next questions, in order; a question with no answer left gets kIdYes.
    void QueueAnswers(std::initializer_list<int> answers) {
        answers_.insert(answers_.end(), answers);
    }
    // Called with every message before it is answered: a test may change the world meanwhile,
    // as a user may while a box is open.
    void OnMessage(std::function<void(const ShownMessage&)> hook) { onMessage_ = std::move(hook); }
    // Makes the installer believe it runs as this executable (a Windows path).
    void SetModulePath(const std::string& path) { Machine().SetInstallerPath(path); }

    const std::vector<ShownMessage>& Messages() const { return messages_; }
    // The message texts only.
    std::vector<std::string> Texts() const;

private:
    std::deque<int> answers_;
    std::vector<ShownMessage> messages_;
    std::function<void(const ShownMessage&)> onMessage_;
};

// The text of message `id` with its "%s" filled, as the installer shows it.
std::string Message(unsigned id, std::initializer_list<std::string_view> arguments = {});

}  // namespace quorvel::test
