// Where the history lives: a folder of its own inside Trassimo's folder, so that both hosts and
// every front end share it, and one folder in it per install.
#pragma once

#include <string>
#include <string_view>

namespace quorvel::app::history {

inline constexpr std::string_view kHistoryParent = "Quorvel";
inline constexpr std::string_view kHistoryFolder = "Verlauf";
inline constexpr std::string_view kCatalogueBefore = "Katalog-vorher.txt";
inline constexpr std::string_view kCatalogueAfter = "Katalog-nachher.txt";
inline constexpr std::string_view kBackupPrefix = "Sicherung-";

// `target` is Trassimo's folder with its trailing backslash.
inline std::string HistoryRoot(const std::string& target) {
    return target + std::string(kHistoryParent) + "\\" + std::string(kHistoryFolder);
}

}  // namespace quorvel::app::history
