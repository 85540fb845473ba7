// The texture section: the script's definitions replace the catalogue's blocks of the same id
// or are inserted in id order, and the catalogue is written back in normalised form.
#include <string>
#include <string_view>

#include "catalogue/IdNumber.h"
#include "catalogue/MarkerSearch.h"
#include "catalogue/NormalisedForm.h"
#include "engine/PackageInstaller.h"

namespace quorvel {

namespace {
constexpr const char* kTextureSection = "Texturskript";
constexpr std::string_view kEntrySeparator = ">>";
constexpr std::string_view kBlockOpening = "Textur{";
constexpr std::size_t kNoPosition = std::string::npos;
}  // namespace

bool PackageInstaller::MergeTextures() {
    if (!scriptReader.FindSection(kTextureSection)) {
        return false;
    }
    if (!LoadCatalogue()) {
        return false;
    }
    std::string entry;
    std::string definition;
    while (scriptReader.NextEntry(entry)) {
        const std::string_view text(entry);
        const std::size_t separator = text.find(kEntrySeparator);
        if (separator == std::string_view::npos) {
            continue;  // not a texture entry: passed over
        }
        const std::int32_t id = catalogue::ReadLeadingNumber(text.substr(0, separator));
        // Taken anew for every entry: an earlier entry may have inserted the last block.
        const std::int32_t last = LastTextureId();
        const std::size_t place = LocateTexture(id, last, true);
        if (place == kNoPosition) {
            // The catalogue offers the definition no place: it is not written at all, so no
            // half-merged catalogue reaches the disk.
            return false;
        }
        definition.clear();
        catalogue::AppendDefinition(definition, text.substr(separator + kEntrySeparator.size()));
        catalogueText.insert(place, definition);
    }
    return SaveCatalogue();
}

std::int32_t PackageInstaller::LastTextureId() const {
    const std::string_view text(catalogueText);
    const std::size_t markerStart = text.rfind(catalogue::kMarkerOpening);
    if (markerStart == std::string_view::npos) {
        // A text without "id(" holds no marker that a search up to this bound could find.
        return 0;
    }
    const std::size_t numberStart = markerStart + catalogue::kMarkerOpening.size();
    const std::size_t numberEnd = text.find(catalogue::kMarkerClosing, numberStart);
    return catalogue::ReadLeadingNumber(text.substr(
        numberStart, numberEnd == std::string_view::npos ? numberEnd : numberEnd - numberStart));
}

std::size_t PackageInstaller::LocateTexture(std::int32_t id, std::int32_t last, bool remove) {
    const std::string_view text(catalogueText);
    const catalogue::MarkerMatch match = catalogue::FindMarkers(text, id, last);
    if (match.exact != std::string_view::npos) {
        // The block that begins at the last "Textur{" at or before the marker, whether or not
        // it encloses the marker.
        const std::size_t start = text.rfind(kBlockOpening, match.exact);
        if (start == std::string_view::npos) {
            return kNoPosition;
        }
        if (remove) {
            const std::size_t end = FindBlockEnd(start);
            if (end == kNoPosition) {
                return kNoPosition;  // a block never closed is left alone
            }
            // What followed the block's "}", its separator, stays in place.
            catalogueText.erase(start, end - start + 1);
        }
        return start;
    }
    if (match.nextHigher != std::string_view::npos) {
        return text.rfind(kBlockOpening, match.nextHigher);  // npos without a "Textur{"
    }
    return text.rfind('}');  // npos when the text holds no "}"
}

std::size_t PackageInstaller::FindBlockEnd(std::size_t from) const {
    const std::string_view text(catalogueText);
    if (from >= text.size()) {
        return kNoPosition;
    }
    std::size_t pos = text.find('{', from);
    if (pos == std::string_view::npos) {
        return kNoPosition;
    }
    std::size_t depth = 1;  // never above the text's length
    while ((pos = text.find_first_of("{}", pos + 1)) != std::string_view::npos) {
        if (text[pos] == '{') {
            ++depth;
        } else if (--depth == 0) {
            return pos;
        }
    }
    return kNoPosition;
}

}  // namespace quorvel
