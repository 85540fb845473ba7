// A dialog for the install command that records the progress and whether it was closed.
#pragma once

#include <string>
#include <vector>

#include "app/InstallCommand.h"
#include "tests/support/RecordingProgressBar.h"

namespace quorvel::test {

class RecordingDialog : public app::InstallDialogHost {
public:
    platform::ProgressBar& InstallProgressBar() override { return progressBar; }
    void EndDialogOk() override { ++closed; }
    void HistoryNotWritten(const std::string& why) override { historyProblems.push_back(why); }

    RecordingProgressBar progressBar;
    int closed = 0;
    std::vector<std::string> historyProblems;
};

}  // namespace quorvel::test
