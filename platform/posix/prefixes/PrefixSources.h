// The searches of the tools that make prefixes, each adding what it finds to the collector.
#pragma once

#include <string>

#include "platform/posix/prefixes/PrefixCollector.h"
#include "platform/posix/prefixes/PrefixDiscovery.h"

namespace quorvel::platform::posix {

// A folder where a tool keeps its files, and how the user knows that place ("Lutris",
// "Bottles (Flatpak)").
struct ToolFolder {
    std::string folder;
    std::string label;
};

// Every Steam library of every Steam installation, and the Proton prefixes in them
// (steamapps/compatdata/<app id>/pfx).
void CollectSteamPrefixes(const PrefixSearchPlaces& places, PrefixCollector& collector);

// The prefixes Lutris' game files name (game: prefix:).
void CollectLutrisPrefixes(const PrefixSearchPlaces& places, PrefixCollector& collector);

// Bottles' bottles, in its own folders and in a custom one its settings name.
void CollectBottlesPrefixes(const PrefixSearchPlaces& places, PrefixCollector& collector);

}  // namespace quorvel::platform::posix
