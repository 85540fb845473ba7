// A run's events as the dialogs show them: the progress on the dialog's bar, a newer destination
// as the question of message 106 and a failed copy as message 105, in the application's message
// boxes. Every decision of the run also reaches the observers added.
#pragma once

#include <string>
#include <vector>

#include "engine/RunEvents.h"
#include "platform/Application.h"
#include "platform/ProgressBar.h"

namespace quorvel::app {

class DialogRunEvents : public RunEvents {
public:
    DialogRunEvents(platform::ProgressBar& progressBar, platform::Application& application)
        : progressBar_(progressBar), application_(application) {}

    void AddObserver(RunObserver& observer) { observers_.push_back(&observer); }

    void SetRange(int minimum, int maximum) override;
    void SetPosition(int position) override;
    bool KeepNewerTarget(const std::string& destination, const std::string& source) override;
    void ReportCopyFailure(const std::string& source, const std::string& destination) override;
    void Observe(const RunEvent& event) override;

private:
    platform::ProgressBar& progressBar_;
    platform::Application& application_;
    std::vector<RunObserver*> observers_;
};

}  // namespace quorvel::app
