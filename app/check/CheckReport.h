// The findings as the command line shows them: German lines for people, or one JSON object
// for tools.
#pragma once

#include <ostream>

#include "app/check/Finding.h"

namespace quorvel::app::check {

void WriteCheckText(const Findings& findings, std::ostream& out);

// {"findings": [{"severity": "error"|"warning", "line": N or null, "code": ..., "message": ...}]}
void WriteCheckJson(const Findings& findings, std::ostream& out);

}  // namespace quorvel::app::check
