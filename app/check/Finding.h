// What the package check finds: a fault of the package that an author can mend.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace quorvel::app::check {

enum class Severity {
    kError,    // the package does not install as its author meant
    kWarning,  // it installs, but perhaps not as meant
};

struct Finding {
    Severity severity = Severity::kError;
    // The line of InstSkript.txt (1-based) where the entry or name begins; nothing for what
    // concerns the package as a whole.
    std::optional<std::size_t> line;
    // A stable identifier, documented for authors (docs/package-authors.md).
    std::string code;
    std::string message;  // German, UTF-8
};

using Findings = std::vector<Finding>;

inline void AddError(Findings& findings, std::optional<std::size_t> line, std::string code,
                     std::string message) {
    findings.push_back({Severity::kError, line, std::move(code), std::move(message)});
}

inline void AddWarning(Findings& findings, std::optional<std::size_t> line, std::string code,
                       std::string message) {
    findings.push_back({Severity::kWarning, line, std::move(code), std::move(message)});
}

}  // namespace quorvel::app::check
