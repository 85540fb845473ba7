// A dialog for the install command that records the progress and whether it was closed.
#pragma once

#include "app/InstallCommand.h"
#include "tests/support/RecordingProgressBar.h"

namespace quorvel::test {

class RecordingDialog : public app::InstallDialogHost {
public:
    platform::ProgressBar& InstallProgressBar() override { return progressBar; }
    void EndDialogOk() override { ++closed; }

    RecordingProgressBar progressBar;
    int closed = 0;
};

}  // namespace quorvel::test
