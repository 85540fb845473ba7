// Bottles keeps each bottle as a prefix folder of its own below its bottles folder, with the
// bottle's settings in bottle.yml ("Name"); a custom bottles folder set in Bottles'
// preferences is kept in its data.yml ("custom_bottles_path").
#include "platform/posix/prefixes/PrefixSources.h"
#include "platform/posix/prefixes/YamlFile.h"

namespace quorvel::platform::posix {

namespace {

// Bottles' own data folders, holding data.yml and bottles/.
std::vector<ToolFolder> DataFolders(const PrefixSearchPlaces& places) {
    std::vector<ToolFolder> folders;
    if (!places.xdgDataHome.empty()) {
        folders.push_back({places.xdgDataHome + "/bottles", "Bottles"});
    }
    folders.push_back({places.home + "/.local/share/bottles", "Bottles"});
    folders.push_back(
        {places.home + "/.var/app/com.usebottles.bottles/data/bottles", "Bottles (Flatpak)"});
    return folders;
}

void AddBottlesIn(const std::string& bottles, const std::string& label,
                  PrefixCollector& collector) {
    for (const std::string& folder : SubfolderNames(bottles)) {
        const std::string bottle = bottles + "/" + folder;
        const std::string name = ReadYamlScalars(bottle + "/bottle.yml", {{"Name"}})[0];
        collector.AddPrefix(bottle, label + ": " + (name.empty() ? folder : name));
    }
}

}  // namespace

void CollectBottlesPrefixes(const PrefixSearchPlaces& places, PrefixCollector& collector) {
    for (const ToolFolder& data : DataFolders(places)) {
        AddBottlesIn(data.folder + "/bottles", data.label, collector);
        const std::string custom =
            ReadYamlScalars(data.folder + "/data.yml", {{"custom_bottles_path"}})[0];
        if (!custom.empty()) {
            AddBottlesIn(ExpandHome(custom, places.home), data.label, collector);
        }
    }
}

}  // namespace quorvel::platform::posix
