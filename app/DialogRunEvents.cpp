#include "app/DialogRunEvents.h"

#include "app/MessageTable.h"

namespace quorvel::app {

void DialogRunEvents::SetRange(int minimum, int maximum) {
    progressBar_.SetRange(minimum, maximum);
}

void DialogRunEvents::SetPosition(int position) {
    progressBar_.SetPosition(position);
}

bool DialogRunEvents::KeepNewerTarget(const std::string& destination, const std::string& source) {
    const std::string question =
        platform::FormatText(application_.LoadMessage(kMessageTargetNewer), {destination, source});
    return application_.DoMessageBox(question, platform::kMbYesNo) == platform::kIdYes;
}

void DialogRunEvents::ReportCopyFailure(const std::string& source, const std::string& destination) {
    application_.DoMessageBox(
        platform::FormatText(application_.LoadMessage(kMessageCopyFailed), {source, destination}),
        platform::kMbOk);
}

void DialogRunEvents::Observe(const RunEvent& event) {
    for (RunObserver* observer : observers_) {
        observer->Observe(event);
    }
}

}  // namespace quorvel::app
