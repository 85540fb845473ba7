// Texture ids as the install script and the catalogue write them: the id text of an entry, the
// number after an "id(", and the id marker "id(12)" of a block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel::catalogue {

inline constexpr std::string_view kMarkerOpening = "id(";
inline constexpr char kMarkerClosing = ')';

// Reads `text` as atoi does: leading whitespace, an optional sign and the decimal digits that
// follow, up to the first other character; 0 when no digit follows. A value beyond 32 bits gives
// the nearest 32-bit limit.
std::int32_t ReadLeadingNumber(std::string_view text);

// The id marker of `id`: "id(", the id in plain decimal (a minus sign when negative, no plus
// sign, no leading zeros) and ")".
std::string IdMarker(std::int32_t id);

// For an "id(" at `markerStart` in `text`: the id whose marker stands there, that is when the
// "id(" is followed by a 32-bit id in plain decimal and ")". Nothing for id(007), id(+5), id(-0),
// id(12 without ")" or a number beyond 32 bits, which are the marker of no id.
std::optional<std::int32_t> MarkedIdAt(std::string_view text, std::size_t markerStart);

}  // namespace quorvel::catalogue
