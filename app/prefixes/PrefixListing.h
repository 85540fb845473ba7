// "quorvel prefixes": every Wine prefix found, where it was found and whether it holds
// Trassimo, in German.
#pragma once

#include <ostream>
#include <vector>

#include "platform/posix/prefixes/PrefixDiscovery.h"

namespace quorvel::app {

void WritePrefixListing(std::ostream& out, const std::vector<platform::posix::FoundPrefix>& found);

}  // namespace quorvel::app
