// A progress bar that records what the install run sent it.
#pragma once

#include <string>
#include <vector>

#include "platform/ProgressBar.h"

namespace quorvel::test {

class RecordingProgressBar : public platform::ProgressBar {
public:
    void SetRange(int minimum, int maximum) override {
        calls.push_back("range " + std::to_string(minimum) + ".." + std::to_string(maximum));
    }
    void SetPosition(int position) override { calls.push_back("pos " + std::to_string(position)); }

    std::vector<std::string> calls;
};

}  // namespace quorvel::test
