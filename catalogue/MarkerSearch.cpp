#include "catalogue/MarkerSearch.h"

#include <optional>

#include "catalogue/IdNumber.h"

namespace quorvel::catalogue {

MarkerMatch FindMarkers(std::string_view text, std::int32_t id, std::int32_t last) {
    MarkerMatch match;
    const bool higherIdsWanted = id < last;
    // "id(" cannot overlap itself, so the next one begins after this one at the earliest.
    for (std::size_t at = text.find(kMarkerOpening); at != std::string_view::npos;
         at = text.find(kMarkerOpening, at + kMarkerOpening.size())) {
        const std::optional<std::int32_t> marked = MarkedIdAt(text, at);
        if (!marked) {
            continue;
        }
        if (*marked == id) {
            return MarkerMatch{at, std::string_view::npos, 0};
        }
        const bool inRange = higherIdsWanted && *marked > id && *marked <= last;
        // Strictly smaller only: for the same id, its first occurrence stays.
        if (inRange &&
            (match.nextHigher == std::string_view::npos || *marked < match.nextHigherId)) {
            match.nextHigherId = *marked;
            match.nextHigher = at;
        }
    }
    return match;
}

}  // namespace quorvel::catalogue
