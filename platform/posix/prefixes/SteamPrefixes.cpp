// Steam keeps its libraries in <root>/steamapps/libraryfolders.vdf; a Proton game's prefix is
// <library>/steamapps/compatdata/<app id>/pfx, possibly in another library than the game,
// whose name is in <library>/steamapps/appmanifest_<app id>.acf. Steam makes the prefix, and
// the game writes its registry values, only when the game is first started.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>

#include "platform/posix/WinePrefix.h"
#include "platform/posix/prefixes/KeyValuesText.h"
#include "platform/posix/prefixes/PrefixSources.h"
#include "platform/posix/prefixes/SteamFiles.h"

namespace quorvel::platform::posix {

namespace {

namespace fs = std::filesystem;

constexpr const char* kNotSetUpHint =
    "Steam hat dieses Pr\u00e4fix noch nicht eingerichtet. Steam legt es erst beim ersten Start "
    "des Spiels an; bitte das Spiel einmal \u00fcber Steam starten.";

struct SteamRoot {
    std::string folder;
    std::string label;  // "Steam", "Steam (Flatpak)", "Steam (Snap)"
};

std::vector<SteamRoot> SteamRoots(const PrefixSearchPlaces& places) {
    const std::string& home = places.home;
    std::vector<SteamRoot> roots;
    if (!places.xdgDataHome.empty()) {
        roots.push_back({places.xdgDataHome + "/Steam", "Steam"});
    }
    for (const char* folder :
         {"/.steam/steam", "/.steam/root", "/.local/share/Steam", "/.steam/debian-installation"}) {
        roots.push_back({home + folder, "Steam"});
    }
    roots.push_back(
        {home + "/.var/app/com.valvesoftware.Steam/.local/share/Steam", "Steam (Flatpak)"});
    roots.push_back({home + "/.var/app/com.valvesoftware.Steam/.steam/steam", "Steam (Flatpak)"});
    roots.push_back({home + "/snap/steam/common/.local/share/Steam", "Steam (Snap)"});
    roots.push_back({home + "/snap/steam/common/.steam/steam", "Steam (Snap)"});
    return roots;
}

bool IsNumber(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

KeyValuesText ReadKeyValuesFile(const std::string& path) {
    const std::optional<std::string> text = ReadWholeFile(path);
    return text ? ParseKeyValues(*text) : KeyValuesText{};
}

// The libraries of one installation, the installation's own folder first, each once.
std::vector<std::string> LibrariesOf(const std::string& root, std::set<std::string>& seen) {
    std::vector<std::string> libraries;
    std::vector<std::string> named = {root};
    const std::vector<std::string> listed =
        LibraryFoldersIn(ReadKeyValuesFile(root + "/steamapps/libraryfolders.vdf"));
    named.insert(named.end(), listed.begin(), listed.end());
    for (const std::string& library : named) {
        std::error_code error;
        const fs::path canonical = fs::canonical(library, error);
        if (!error && fs::is_directory(canonical / "steamapps", error) &&
            seen.insert(canonical.string()).second) {
            libraries.push_back(canonical.string());
        }
    }
    return libraries;
}

std::string AppName(const std::vector<std::string>& libraries, const std::string& appId) {
    for (const std::string& library : libraries) {
        const std::string name =
            AppNameIn(ReadKeyValuesFile(library + "/steamapps/appmanifest_" + appId + ".acf"));
        if (!name.empty()) {
            return name;
        }
    }
    return "";
}

std::string Origin(const std::string& label, const std::string& appId, const std::string& name) {
    return label + ", App " + appId + (name.empty() ? "" : " (" + name + ")");
}

// Games installed with a manifest that names Trassimo but without a Proton prefix in any of
// the libraries: the prefix will be made beside the game.
void AddTrassimoNotStartedYet(const std::vector<std::string>& libraries,
                              const std::set<std::string>& appsWithPrefix, const std::string& label,
                              PrefixCollector& collector) {
    for (const std::string& library : libraries) {
        std::error_code error;
        for (fs::directory_iterator entry(library + "/steamapps", error), end;
             !error && entry != end; entry.increment(error)) {
            const std::string file = entry->path().filename().string();
            if (!file.starts_with("appmanifest_") || !file.ends_with(".acf")) {
                continue;
            }
            const std::string appId = file.substr(12, file.size() - 12 - 4);
            if (!IsNumber(appId) || appsWithPrefix.contains(appId)) {
                continue;
            }
            const std::string name = AppNameIn(ReadKeyValuesFile(entry->path().string()));
            std::string lower = name;
            std::transform(lower.begin(), lower.end(), lower.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            if (lower.find("trassimo") != std::string::npos) {
                collector.AddMissing(library + "/steamapps/compatdata/" + appId + "/pfx",
                                     Origin(label, appId, name), kNotSetUpHint);
            }
        }
    }
}

}  // namespace

void CollectSteamPrefixes(const PrefixSearchPlaces& places, PrefixCollector& collector) {
    std::set<std::string> seenLibraries;
    for (const SteamRoot& root : SteamRoots(places)) {
        const std::vector<std::string> libraries = LibrariesOf(root.folder, seenLibraries);
        std::set<std::string> appsWithPrefix;
        for (const std::string& library : libraries) {
            const std::string compatData = library + "/steamapps/compatdata";
            std::vector<std::string> appIds = SubfolderNames(compatData);
            std::erase_if(appIds, [](const std::string& id) { return !IsNumber(id); });
            std::sort(appIds.begin(), appIds.end(), [](const std::string& a, const std::string& b) {
                return a.size() != b.size() ? a.size() < b.size() : a < b;
            });
            for (const std::string& appId : appIds) {
                appsWithPrefix.insert(appId);
                const std::string origin = Origin(root.label, appId, AppName(libraries, appId));
                const std::string prefix = compatData + "/" + appId + "/pfx";
                std::error_code error;
                if (fs::exists(prefix + "/system.reg", error)) {
                    collector.AddPrefix(prefix, origin);
                } else {
                    collector.AddMissing(prefix, origin, kNotSetUpHint);
                }
            }
        }
        AddTrassimoNotStartedYet(libraries, appsWithPrefix, root.label, collector);
    }
}

}  // namespace quorvel::platform::posix
