#include "catalogue/TextureCatalogue.h"

#include "catalogue/CatalogueEncoding.h"
#include "catalogue/IdNumber.h"
#include "catalogue/LineEnds.h"
#include "catalogue/MarkerSearch.h"
#include "catalogue/NormalisedForm.h"
#include "platform/Files.h"

namespace quorvel::catalogue {

namespace {
constexpr std::string_view kBlockOpening = "Textur{";
constexpr std::size_t kNoPosition = std::string::npos;
constexpr std::size_t kReadPieceSize = 64 * 1024;
constexpr char kEndOfText = '\x1A';  // Ctrl-Z

// Every byte of `file`; false when it could not be read to its end.
bool ReadWholeFile(const platform::UniqueFile& file, std::string* bytes) {
    while (true) {
        const std::size_t filled = bytes->size();
        bytes->resize(filled + kReadPieceSize);
        const platform::Result<std::size_t> count =
            platform::ReadFromFile(file, bytes->data() + filled, kReadPieceSize);
        bytes->resize(filled + (count ? *count : 0));
        if (!count || *count == 0) {
            return static_cast<bool>(count);
        }
    }
}
}  // namespace

TextureCatalogue TextureCatalogue::FromFileBytes(std::string_view bytes) {
    // Text mode: the input ends at a Ctrl-Z, and a CR before an LF is dropped; CR is whitespace
    // to the normalised form anyway, so only the end needs care here.
    const std::size_t end = bytes.find(kEndOfText);
    NormalisedTextBuilder builder;
    builder.Feed(bytes.substr(0, end));
    return TextureCatalogue(builder.Finish());
}

std::optional<TextureCatalogue> TextureCatalogue::Load(platform::Host& host,
                                                       const std::string& path) {
    const platform::UniqueFile file = host.OpenFileForRead(path);
    if (!file.IsValid()) {
        return std::nullopt;  // nothing is created
    }
    // A read error before the end is a failure: a catalogue read only in part must never be
    // merged and written back. Nor must one that the merge would damage.
    std::string bytes;
    if (!ReadWholeFile(file, &bytes) || !IsMergeableCatalogue(bytes)) {
        return std::nullopt;
    }
    return FromFileBytes(bytes);
}

std::string TextureCatalogue::FileBytes() const {
    return WithWindowsLineEnds(text_);
}

MergeResult TextureCatalogue::Merge(std::int32_t id, std::string_view definition) {
    // Taken anew for every entry: an earlier entry may have inserted the last block.
    const std::int32_t last = LastTextureId();
    Place place = Locate(id, last, true);
    MergeResult result;
    result.action = place.action;
    result.beforeId = place.beforeId;
    result.oldBlock = std::move(place.erased);
    if (place.position == kNoPosition) {
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

std::int32_t TextureCatalogue::LastTextureId() const {
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

std::size_t TextureCatalogue::LocateTexture(std::int32_t id, std::int32_t last, bool remove) {
    return Locate(id, last, remove).position;
}

TextureCatalogue::Place TextureCatalogue::Locate(std::int32_t id, std::int32_t last, bool remove) {
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
            if (end == kNoPosition) {
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
        if (place.position != kNoPosition) {
            place.action = MergeAction::kInserted;
            place.beforeId = match.nextHigherId;
        }
        return place;
    }
    place.position = text.rfind('}');  // npos when the text holds no "}"
    if (place.position != kNoPosition) {
        place.action = MergeAction::kAppended;
    }
    return place;
}

std::size_t TextureCatalogue::FindBlockEnd(std::size_t from) const {
    const std::string_view text(text_);
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

}  // namespace quorvel::catalogue
