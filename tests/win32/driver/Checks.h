// The driver's verdicts: one line per check, in the manner of TAP, and a count of failures.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "tests/win32/driver/Text.h"

namespace quorvel::driver {

class Checks {
public:
    // Records one check; returns `passed` so that a scenario can stop at a failed step.
    bool Expect(bool passed, std::string_view what) {
        std::printf("%s - %.*s\n", passed ? "ok" : "not ok", static_cast<int>(what.size()),
                    what.data());
        std::fflush(stdout);
        failures_ += passed ? 0 : 1;
        return passed;
    }
    // Compares two texts and shows both when they differ.
    bool ExpectText(const std::wstring& actual, const std::wstring& expected,
                    std::string_view what) {
        const bool same = actual == expected;
        Expect(same, what);
        if (!same) {
            std::printf("#   expected: \"%s\"\n#   actual:   \"%s\"\n", ToUtf8(expected).c_str(),
                        ToUtf8(actual).c_str());
        }
        return same;
    }
    bool ExpectNumber(long long actual, long long expected, std::string_view what) {
        const bool same = actual == expected;
        Expect(same, what);
        if (!same) {
            std::printf("#   expected %lld, got %lld\n", expected, actual);
        }
        return same;
    }
    void Note(std::string_view text) {
        std::printf("# %.*s\n", static_cast<int>(text.size()), text.data());
    }
    int Failures() const { return failures_; }

private:
    int failures_ = 0;
};

}  // namespace quorvel::driver
