// The command "check": the package read as its author's tool reads it. It needs no Trassimo;
// where one is found, the destinations and the catalogue are checked against it as well.
#pragma once

#include <ostream>
#include <string>

#include "app/check/Finding.h"
#include "platform/Host.h"

namespace quorvel::app::check {

struct CheckRequest {
    bool json = false;
    // Also run the install on a host that writes nothing, when a Trassimo is found.
    bool againstTrassimo = true;
};

// Everything found in the package folder `package` (a Windows path), in the order of the
// script; what concerns the whole package last. The run against Trassimo takes the package
// beside `machine`'s installer path, which names the same folder. Notes for people (which
// Trassimo was used) go to `notes`.
Findings CheckPackage(platform::Host& machine, const std::string& package, bool againstTrassimo,
                      std::ostream& notes);

// The exit status: 0 when nothing is found, 1 with warnings only, 2 with errors.
int RunCheckCommand(platform::Host& machine, const std::string& package,
                    const CheckRequest& request, std::ostream& out, std::ostream& err);

}  // namespace quorvel::app::check
