// Finding the Wine prefixes of a Linux user's home folder: plain Wine (~/.wine), winetricks,
// Steam's Proton, Lutris, Bottles and PlayOnLinux, and whether each holds Trassimo's
// registration (HKEY_CLASSES_ROOT\Software\Halvenwerk\TRZX, value AppPath) as the 32-bit
// Quorvel.exe would read it there. Reads files only; nothing global is consulted.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quorvel::platform::posix {

// Where to look: the home folder and the environment values that move the tools' folders.
struct PrefixSearchPlaces {
    std::string home;
    std::string xdgDataHome;    // XDG_DATA_HOME; empty when not set
    std::string xdgConfigHome;  // XDG_CONFIG_HOME; empty when not set
};

struct FoundPrefix {
    // The prefix folder, with links resolved; for a Proton prefix that Steam has not made yet,
    // the folder where it will be.
    std::string folder;
    // Where it was found, in German for the user: "~/.wine", "winetricks: spiel",
    // "Steam, App 123456 (Spielname)", "Lutris: Spielname", "Bottles: Name",
    // "PlayOnLinux: Name"; a tool installed through Flatpak or Snap says so ("Steam (Flatpak)").
    std::string origin;
    // The folder holds a Wine registry (its system.reg begins with the header).
    bool isPrefix = false;
    // Trassimo's AppPath (Windows-1252, without the terminating zero) when the prefix holds a
    // value the installer can use: text of at most 260 bytes naming a folder.
    std::optional<std::string> trassimoAppPath;
    // A German hint for the user, e.g. for a Proton prefix Steam has not set up yet; or empty.
    std::string hint;

    bool HoldsTrassimo() const { return trassimoAppPath.has_value(); }
};

// Every prefix found, each folder once (the first place that leads to it names it), in the
// order: ~/.wine, winetricks, Steam, Lutris, Bottles, PlayOnLinux.
std::vector<FoundPrefix> FindWinePrefixes(const PrefixSearchPlaces& places);

// The entries that hold Trassimo.
std::vector<FoundPrefix> PrefixesHoldingTrassimo(const std::vector<FoundPrefix>& found);

}  // namespace quorvel::platform::posix
