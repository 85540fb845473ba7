#include "app/check/CheckReport.h"

#include <algorithm>
#include <nlohmann/json.hpp>

namespace quorvel::app::check {

namespace {

std::size_t Count(const Findings& findings, Severity severity) {
    return static_cast<std::size_t>(
        std::count_if(findings.begin(), findings.end(),
                      [severity](const Finding& finding) { return finding.severity == severity; }));
}

}  // namespace

void WriteCheckText(const Findings& findings, std::ostream& out) {
    for (const Finding& finding : findings) {
        out << (finding.line ? "InstSkript.txt, Zeile " + std::to_string(*finding.line)
                             : std::string("Paket"))
            << ": " << (finding.severity == Severity::kError ? "Fehler" : "Warnung") << " ["
            << finding.code << "]: " << finding.message << "\n";
    }
    const std::size_t errors = Count(findings, Severity::kError);
    const std::size_t warnings = Count(findings, Severity::kWarning);
    if (errors == 0 && warnings == 0) {
        out << "Keine Befunde: das Paket installiert, wie das Skript es sagt.\n";
        return;
    }
    out << errors << " Fehler, " << warnings << (warnings == 1 ? " Warnung.\n" : " Warnungen.\n");
}

void WriteCheckJson(const Findings& findings, std::ostream& out) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const Finding& finding : findings) {
        nlohmann::ordered_json item;
        item["severity"] = finding.severity == Severity::kError ? "error" : "warning";
        item["line"] = finding.line ? nlohmann::ordered_json(*finding.line) : nullptr;
        item["code"] = finding.code;
        item["message"] = finding.message;
        list.push_back(std::move(item));
    }
    nlohmann::ordered_json report;
    report["findings"] = std::move(list);
    out << report.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
}

}  // namespace quorvel::app::check
