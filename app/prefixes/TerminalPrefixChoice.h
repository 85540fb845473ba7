// The choice of the prefix in the terminal, before the main dialog: with one prefix holding
// Trassimo one line says which is used; with several a numbered list is shown and the answer
// read from the input, one answer a line as everywhere in the terminal front end.
#pragma once

#include <istream>
#include <optional>
#include <ostream>
#include <vector>

#include "platform/posix/prefixes/PrefixDiscovery.h"

namespace quorvel::app {

// `holding`: the prefixes that hold Trassimo. An empty line takes the first, a number the
// entry it names; "a" or Escape cancels, as does the end of the input: then nothing is chosen.
// Another answer asks again.
std::optional<platform::posix::FoundPrefix> ChoosePrefixInTerminal(
    const std::vector<platform::posix::FoundPrefix>& holding, std::istream& in, std::ostream& out);

}  // namespace quorvel::app
