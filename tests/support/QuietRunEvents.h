// A run with no one to ask, for fuzz targets and benchmarks: every newer destination is kept
// (the answer "Ja"), failed copies are counted, the progress is remembered with its times.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "engine/RunEvents.h"

namespace quorvel::test {

class QuietRunEvents : public RunEvents {
public:
    void SetRange(int /*minimum*/, int /*maximum*/) override {}
    void SetPosition(int /*position*/) override {
        positionTimes.push_back(std::chrono::steady_clock::now());
    }
    bool KeepNewerTarget(const std::string& /*destination*/,
                         const std::string& /*source*/) override {
        ++questions;
        return true;
    }
    void ReportCopyFailure(const std::string& /*source*/,
                           const std::string& /*destination*/) override {
        ++copyFailures;
    }

    int questions = 0;
    int copyFailures = 0;
    std::vector<std::chrono::steady_clock::time_point> positionTimes;
};

}  // namespace quorvel::test
