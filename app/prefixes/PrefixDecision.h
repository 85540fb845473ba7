// Which Wine prefix the Linux program works in: the one named on the command line
// (--prefix ORDNER), else the one WINEPREFIX names, else the one prefix found that holds
// Trassimo; with several the user chooses, with none the program runs as ever (and
// "Installieren" reports that Trassimo is not installed). The entry point puts the chosen
// folder into WINEPREFIX before anything else runs.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/posix/prefixes/PrefixDiscovery.h"

namespace quorvel::app {

using platform::posix::FoundPrefix;

struct PrefixDecision {
    enum class Kind {
        kGiven,      // --prefix or WINEPREFIX names it: `folder`, used as it is
        kFound,      // exactly one prefix holds Trassimo: `folder`; the terminal says which
        kAsk,        // several hold Trassimo: the user chooses among `choices`
        kNoneFound,  // none holds it: nothing to set
    };
    Kind kind = Kind::kNoneFound;
    std::string folder;
    std::vector<FoundPrefix> choices;  // kFound: the one; kAsk: every one holding Trassimo
};

// False when --prefix or WINEPREFIX names the prefix, so that the search can be left out.
// An empty value counts as none, as an empty WINEPREFIX does for Wine.
bool NeedsPrefixSearch(const std::optional<std::string>& prefixOption,
                       const std::optional<std::string>& winePrefix);

// `found` is what FindWinePrefixes returned (or nothing when no search was needed).
PrefixDecision DecidePrefix(const std::optional<std::string>& prefixOption,
                            const std::optional<std::string>& winePrefix,
                            const std::vector<FoundPrefix>& found);

}  // namespace quorvel::app
