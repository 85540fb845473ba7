// The two sections of the install script that the installer reads.
#pragma once

#include <array>
#include <string_view>

namespace quorvel::app::check {

inline constexpr std::string_view kFileSection = "Dateinstallation";
inline constexpr std::string_view kTextureSection = "Texturskript";
inline constexpr std::array<std::string_view, 2> kSections = {kFileSection, kTextureSection};

}  // namespace quorvel::app::check
