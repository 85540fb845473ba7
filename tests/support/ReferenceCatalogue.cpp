#include "tests/support/ReferenceCatalogue.h"

#include <optional>

#include "catalogue/IdNumber.h"
#include "catalogue/MarkerMatch.h"
#include "catalogue/NormalisedForm.h"

namespace quorvel::test {

using catalogue::AppendDefinition;
using catalogue::kMarkerClosing;
using catalogue::kMarkerOpening;
using catalogue::MarkerMatch;
using catalogue::MergeAction;
using catalogue::MergeResult;
using catalogue::ReadLeadingNumber;

namespace {
constexpr std::string_view kBlockOpening = "Textur{";

// One pass over the "id(" of `text`, whatever the distance between `id` and `last`.
MarkerMatch FindMarkers(std::string_view text, std::int32_t id, std::int32_t last) {
    MarkerMatch match;
    const bool higherIdsWanted = id < last;
    // "id(" cannot overlap itself, so the next one begins after this one at the earliest.
    for (std::size_t at = text.find(catalogue::kMarkerOpening); at != std::string_view::npos;
         at = text.find(catalogue::kMarkerOpening, at + catalogue::kMarkerOpening.size())) {
        const std::optional<std::int32_t> marked = catalogue::MarkedIdAt(text, at);
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
}  // namespace

MergeResult ReferenceCatalogue::Merge(std::int32_t id, std::string_view definition) {
    // Taken anew for every entry: an earlier entry may have inserted the last block.
    const std::int32_t last = LastTextureId();
    Place place = Locate(id, last, true);
    MergeResult result;
    result.action = place.action;
    result.beforeId = place.beforeId;
    result.oldBlock = std::move(place.erased);
    if (place.position == std::string::npos) {
        return result;  // nothing was erased: Locate erases only where it found a place
    }
    AppendDefinition(result.newBlock, definition);
    text_.insert(place.position, result.newBlock);
    if (definition.empty()) {
        result.action = result.action == MergeAction::kReplaced ? MergeAction::kRemoved
                                                                : MergeAction::kPassedOver;
        result.beforeId.reset();
    }
    return result;
}

std::int32_t ReferenceCatalogue::LastTextureId() const {
    const std::string_view text(text_);
    const std::size_t markerStart = text.rfind(kMarkerOpening);
    if (markerStart == std::string_view::npos) {
        // A text without "id(" holds no marker that a search up to this bound could find.
        return 0;
    }
    const std::size_t numberStart = markerStart + kMarkerOpening.size();
    const std::size_t numberEnd = text.find(kMarkerClosing, numberStart);
    return ReadLeadingNumber(text.substr(
        numberStart, numberEnd == std::string_view::npos ? numberEnd : numberEnd - numberStart));
}

std::size_t ReferenceCatalogue::LocateTexture(std::int32_t id, std::int32_t last, bool remove) {
    return Locate(id, last, remove).position;
}

ReferenceCatalogue::Place ReferenceCatalogue::Locate(std::int32_t id, std::int32_t last,
                                                     bool remove) {
    const std::string_view text(text_);
    const MarkerMatch match = FindMarkers(text, id, last);
    Place place;
    if (match.exact != std::string_view::npos) {
        // The block that begins at the last "Textur{" at or before the marker, whether or not
        // it encloses the marker.
        const std::size_t start = text.rfind(kBlockOpening, match.exact);
        if (start == std::string_view::npos) {
            return place;
        }
        if (remove) {
            const std::size_t end = FindBlockEnd(start);
            if (end == std::string::npos) {
                return place;  // a block never closed is left alone
            }
            // What followed the block's "}", its separator, stays in place.
            place.erased = text_.substr(start, end - start + 1);
            text_.erase(start, end - start + 1);
        }
        place.position = start;
        place.action = MergeAction::kReplaced;
        return place;
    }
    if (match.nextHigher != std::string_view::npos) {
        place.position = text.rfind(kBlockOpening, match.nextHigher);  // npos without "Textur{"
        if (place.position != std::string::npos) {
            place.action = MergeAction::kInserted;
            place.beforeId = match.nextHigherId;
        }
        return place;
    }
    place.position = text.rfind('}');  // npos when the text holds no "}"
    if (place.position != std::string::npos) {
        place.action = MergeAction::kAppended;
    }
    return place;
}

std::size_t ReferenceCatalogue::FindBlockEnd(std::size_t from) const {
    const std::string_view text(text_);
    if (from >= text.size()) {
        return std::string::npos;
    }
    std::size_t pos = text.find('{', from);
    if (pos == std::string_view::npos) {
        return std::string::npos;
    }
    std::size_t depth = 1;  // never above the text's length
    while ((pos = text.find_first_of("{}", pos + 1)) != std::string_view::npos) {
        if (text[pos] == '{') {
            ++depth;
        } else if (--depth == 0) {
            return pos;
        }
    }
    return std::string::npos;
}

}  // namespace quorvel::test
