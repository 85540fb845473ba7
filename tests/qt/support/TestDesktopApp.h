// The desktop application object for tests: it records every message box and answers it
// from a queue without showing it, or shows the real box for the test to answer on screen.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "app/qt/DesktopApp.h"

namespace quorvel::test {

class TestDesktopApp : public app::qt::DesktopApp {
public:
    int DoMessageBox(const std::string& text, unsigned type) override {
        texts_.push_back(text);
        types_.push_back(type);
        if (realBoxes_) {
            return DesktopApp::DoMessageBox(text, type);
        }
        if (type != platform::kMbYesNo || answers_.empty()) {
            return type == platform::kMbYesNo ? platform::kIdYes : platform::kIdOk;
        }
        const int answer = answers_.front();
        answers_.pop_front();
        return answer;
    }

    // Answers for the next questions, in order; a question with none left gets kIdYes.
    void QueueAnswers(std::initializer_list<int> answers) {
        answers_.insert(answers_.end(), answers);
    }
    void ShowRealBoxes() { realBoxes_ = true; }
    // Makes the installer believe it runs as this executable (a Windows path).
    void SetModulePath(const std::string& path) { Machine().SetInstallerPath(path); }

    // The texts (Windows-1252, as the engine formatted them) and types of the boxes shown.
    const std::vector<std::string>& Texts() const { return texts_; }
    const std::vector<unsigned>& Types() const { return types_; }

private:
    std::deque<int> answers_;
    std::vector<std::string> texts_;
    std::vector<unsigned> types_;
    bool realBoxes_ = false;
};

}  // namespace quorvel::test
