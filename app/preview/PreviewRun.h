// The preview of an install: the real run of the package beside the machine's installer, on a
// host that writes nothing, every question answered "Ja".
#pragma once

#include <optional>

#include "app/preview/Preview.h"
#include "platform/Host.h"

namespace quorvel::app::preview {

// What the install would do; nothing when Trassimo is not found (message 102).
std::optional<Preview> PreviewInstall(platform::Host& machine);

}  // namespace quorvel::app::preview
