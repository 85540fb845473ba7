// The end-to-end scenarios the driver plays against Quorvel.exe. Each one starts the
// installer, drives it through its windows and checks what the user sees; the test script
// around the driver lays out the files before and checks the disk after.
#pragma once

#include <string>
#include <vector>

#include "tests/win32/driver/Checks.h"

namespace quorvel::driver {

// The executable under test and the scenario's further arguments.
struct ScenarioInputs {
    std::string executable;
    std::vector<std::string> arguments;
};

using Scenario = void (*)(const ScenarioInputs& inputs, Checks& checks);

struct NamedScenario {
    const char* name;
    const char* usage;  // the further arguments
    std::size_t argumentCount;
    Scenario run;
};

const std::vector<NamedScenario>& AllScenarios();

}  // namespace quorvel::driver
