// Lutris keeps one YAML file per game; a Wine game's prefix is "game: prefix:", its name the
// top-level "name" (older files have none: then the file's name without its "-<number>" end).
#include <algorithm>
#include <filesystem>

#include "platform/posix/prefixes/PrefixSources.h"
#include "platform/posix/prefixes/YamlFile.h"

namespace quorvel::platform::posix {

namespace {

namespace fs = std::filesystem;

// The folders of Lutris' game files.
std::vector<ToolFolder> GamesFolders(const PrefixSearchPlaces& places) {
    std::vector<ToolFolder> folders;
    if (!places.xdgConfigHome.empty()) {
        folders.push_back({places.xdgConfigHome + "/lutris/games", "Lutris"});
    }
    folders.push_back({places.home + "/.config/lutris/games", "Lutris"});
    if (!places.xdgDataHome.empty()) {
        folders.push_back({places.xdgDataHome + "/lutris/games", "Lutris"});
    }
    folders.push_back({places.home + "/.local/share/lutris/games", "Lutris"});
    folders.push_back(
        {places.home + "/.var/app/net.lutris.Lutris/data/lutris/games", "Lutris (Flatpak)"});
    folders.push_back(
        {places.home + "/.var/app/net.lutris.Lutris/config/lutris/games", "Lutris (Flatpak)"});
    return folders;
}

std::vector<fs::path> GameFiles(const std::string& folder) {
    std::vector<fs::path> files;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        if (entry->path().extension() == ".yml") {
            files.push_back(entry->path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// "trassimo-1612345678" -> "trassimo"
std::string NameFromFileName(const fs::path& file) {
    std::string name = file.stem().string();
    const std::size_t dash = name.rfind('-');
    if (dash != std::string::npos && dash + 1 < name.size() &&
        name.find_first_not_of("0123456789", dash + 1) == std::string::npos) {
        name.erase(dash);
    }
    return name;
}

}  // namespace

void CollectLutrisPrefixes(const PrefixSearchPlaces& places, PrefixCollector& collector) {
    for (const ToolFolder& games : GamesFolders(places)) {
        for (const fs::path& file : GameFiles(games.folder)) {
            const std::vector<std::string> values =
                ReadYamlScalars(file.string(), {{"game", "prefix"}, {"name"}});
            if (values[0].empty()) {
                continue;  // no prefix of its own: a native game, or Wine's default prefix
            }
            const std::string name = values[1].empty() ? NameFromFileName(file) : values[1];
            collector.AddPrefix(ExpandHome(values[0], places.home), games.label + ": " + name);
        }
    }
}

}  // namespace quorvel::platform::posix
