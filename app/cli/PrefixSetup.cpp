#include "app/cli/PrefixSetup.h"

#include <cstdlib>

#include "app/prefixes/PrefixDecision.h"
#include "platform/posix/WinePrefix.h"

namespace quorvel::app::cli {

namespace {

std::optional<std::string> Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}

}  // namespace

platform::posix::PrefixSearchPlaces SearchPlacesOfThisUser() {
    return {Environment("HOME").value_or(""), Environment("XDG_DATA_HOME").value_or(""),
            Environment("XDG_CONFIG_HOME").value_or("")};
}

bool ChooseWinePrefix(const std::optional<std::string>& prefixOption, const PrefixChooser& choose) {
    const std::optional<std::string> winePrefix = Environment("WINEPREFIX");
    std::vector<platform::posix::FoundPrefix> found;
    if (NeedsPrefixSearch(prefixOption, winePrefix)) {
        found = platform::posix::FindWinePrefixes(SearchPlacesOfThisUser());
    }
    const PrefixDecision decision = DecidePrefix(prefixOption, winePrefix, found);
    std::string folder = decision.folder;
    if (decision.kind == PrefixDecision::Kind::kFound ||
        decision.kind == PrefixDecision::Kind::kAsk) {
        const std::optional<platform::posix::FoundPrefix> chosen = choose(decision.choices);
        if (!chosen) {
            return false;
        }
        folder = chosen->folder;
    }
    if (!folder.empty()) {
        ::setenv("WINEPREFIX", folder.c_str(), 1);
    }
    return true;
}

bool RefusesForeignPrefix(std::ostream& err) {
    const std::string prefix = platform::posix::WinePrefixDirectory();
    if (!platform::posix::IsOwnedByAnotherUser(prefix)) {
        return false;
    }
    err << "quorvel: Der Wine-Präfix " << prefix
        << " gehört einem anderen Benutzer. Quorvel ändert darin nichts; bitte als dessen "
           "Besitzer starten.\n";
    return true;
}

}  // namespace quorvel::app::cli
