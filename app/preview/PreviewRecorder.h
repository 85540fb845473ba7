// The run's events turned into a Preview: every question answered "Ja" (the existing file
// stays), every file entry's outcome with its reason, every texture entry's place, and what the
// catalogue's save would change beyond its layout.
#pragma once

#include <string>

#include "app/preview/Preview.h"
#include "app/preview/PreviewHost.h"
#include "engine/RunEvents.h"

namespace quorvel::app::preview {

class PreviewRecorder : public RunEvents {
public:
    PreviewRecorder(const PreviewHost& host, Preview& preview) : host_(host), preview_(preview) {}

    void SetRange(int /*minimum*/, int /*maximum*/) override {}
    void SetPosition(int /*position*/) override {}
    bool KeepNewerTarget(const std::string& destination, const std::string& source) override;
    void ReportCopyFailure(const std::string& /*source*/,
                           const std::string& /*destination*/) override {}
    void Observe(const RunEvent& event) override;

    // The path of the catalogue the run read, when it read one.
    const std::string& LoadedCatalogue() const { return loadedCatalogue_; }
    // Whether the texture stage came as far as the catalogue's lock, and took it.
    bool LockTried() const { return lockTried_; }
    bool LockTaken() const { return lockTaken_; }

private:
    void Add(const FileEntryPaths& entry, FileAction action, std::string reason);
    void Warn(std::string code, std::string message);
    std::string FailureReason() const;

    const PreviewHost& host_;
    Preview& preview_;
    std::size_t refusalsSeen_ = 0;  // the host's refusals before the current entry
    bool catalogueHasOuterBraces_ = true;
    std::string loadedCatalogue_;
    bool lockTried_ = false;
    bool lockTaken_ = false;
};

}  // namespace quorvel::app::preview
