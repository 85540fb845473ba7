// What Quorvel reads from Steam's own files: the libraries a libraryfolders.vdf names and a
// game's name in its appmanifest_<id>.acf.
#pragma once

#include <string>
#include <vector>

#include "platform/posix/prefixes/KeyValuesText.h"

namespace quorvel::platform::posix {

// The library folders in file order, in either layout:
//   new  "libraryfolders" { "0" { "path" "/home/anna/.local/share/Steam" ... } ... }
//   old  "LibraryFolders" { "TimeNextStatsReport" "..." "1" "/media/spiele/Steam" }
// Only pairs whose key is a number are libraries; empty paths are passed over.
std::vector<std::string> LibraryFoldersIn(const KeyValuesText& libraryFolders);

// "AppState" { "name" "..." }; empty when the manifest names none.
std::string AppNameIn(const KeyValuesText& appManifest);

}  // namespace quorvel::platform::posix
