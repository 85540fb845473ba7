#include "platform/posix/prefixes/PrefixDiscovery.h"

#include "platform/posix/prefixes/PrefixCollector.h"
#include "platform/posix/prefixes/PrefixSources.h"

namespace quorvel::platform::posix {

namespace {

// Prefixes kept as the sub-folders of one folder: winetricks' and PlayOnLinux'.
void AddSubfolderPrefixes(const std::string& folder, const std::string& label,
                          PrefixCollector& collector) {
    for (const std::string& name : SubfolderNames(folder)) {
        collector.AddPrefix(folder + "/" + name, label + ": " + name);
    }
}

}  // namespace

std::vector<FoundPrefix> FindWinePrefixes(const PrefixSearchPlaces& places) {
    PrefixCollector collector;
    collector.AddPrefix(places.home + "/.wine", "~/.wine");
    if (!places.xdgDataHome.empty()) {
        AddSubfolderPrefixes(places.xdgDataHome + "/wineprefixes", "winetricks", collector);
    }
    AddSubfolderPrefixes(places.home + "/.local/share/wineprefixes", "winetricks", collector);
    CollectSteamPrefixes(places, collector);
    CollectLutrisPrefixes(places, collector);
    CollectBottlesPrefixes(places, collector);
    AddSubfolderPrefixes(places.home + "/.PlayOnLinux/wineprefix", "PlayOnLinux", collector);
    return collector.Take();
}

std::vector<FoundPrefix> PrefixesHoldingTrassimo(const std::vector<FoundPrefix>& found) {
    std::vector<FoundPrefix> holding;
    for (const FoundPrefix& prefix : found) {
        if (prefix.HoldsTrassimo()) {
            holding.push_back(prefix);
        }
    }
    return holding;
}

}  // namespace quorvel::platform::posix
