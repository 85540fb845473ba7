// The command "preview": what the install of the package would do, written nowhere but on the
// output (and, when asked, the catalogue as the run would save it, into a file of the user's).
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "platform/Host.h"

namespace quorvel::app::preview {

struct PreviewRequest {
    bool json = false;
    // A path of this system (not a Windows path on Linux), for the catalogue's bytes.
    std::optional<std::string> catalogueOut;
};

// The exit status: 0, 1 when the catalogue could not be written out, 2 when Trassimo is not
// found (message 102 on `err`). `machine`'s installer path names the package.
int RunPreviewCommand(platform::Host& machine, const PreviewRequest& request, std::ostream& out,
                      std::ostream& err);

}  // namespace quorvel::app::preview
