// What an install run tells its user and lets observers see: the one way out of the engine.
// The install command turns the two questions into the message boxes of the message table; the
// preview answers them itself and records what the run would do.
#pragma once

#include <string>

#include "engine/RunEvent.h"

namespace quorvel {

class RunEvents {
public:
    // The progress bar's two operations: the range, then the positions the run reaches.
    virtual void SetRange(int minimum, int maximum) = 0;
    virtual void SetPosition(int position) = 0;

    // The destination is newer than the package's file: true keeps the existing file (the
    // answer "Ja"), false replaces it.
    virtual bool KeepNewerTarget(const std::string& destination, const std::string& source) = 0;

    // Copying `source` to `destination` failed, or the destination's folder was not available.
    virtual void ReportCopyFailure(const std::string& source, const std::string& destination) = 0;

    // Every decision of the run, in order; nothing by default.
    virtual void Observe(const RunEvent& event);

protected:
    ~RunEvents() = default;
};

// One who watches runs: the history, the preview's record.
class RunObserver {
public:
    virtual void Observe(const RunEvent& event) = 0;

protected:
    ~RunObserver() = default;
};

}  // namespace quorvel
