// The Wine prefix a command of the Linux program works in, chosen before the command runs:
// --prefix ORDNER, else WINEPREFIX, else the one prefix found that holds Trassimo; with several,
// the user chooses. The choice goes into WINEPREFIX, which the host layer reads.
#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/posix/prefixes/PrefixDiscovery.h"

namespace quorvel::app::cli {

// Chooses among the prefixes that hold Trassimo; with one, says which it uses; nothing when
// the user cancelled.
using PrefixChooser = std::function<std::optional<platform::posix::FoundPrefix>(
    const std::vector<platform::posix::FoundPrefix>& holding)>;

// Sets WINEPREFIX as described above; false when the user cancelled the choice.
bool ChooseWinePrefix(const std::optional<std::string>& prefixOption, const PrefixChooser& choose);

// True, with a message on `err`, when the prefix chosen is another user's: nothing is touched
// there, as Wine itself would not run in it.
bool RefusesForeignPrefix(std::ostream& err);

// Where the prefixes of this user are looked for: HOME and the XDG folders.
platform::posix::PrefixSearchPlaces SearchPlacesOfThisUser();

}  // namespace quorvel::app::cli
