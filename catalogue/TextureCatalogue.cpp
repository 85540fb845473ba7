#include "catalogue/TextureCatalogue.h"

#include <algorithm>
#include <vector>

#include "catalogue/CatalogueEncoding.h"
#include "catalogue/IdNumber.h"
#include "catalogue/LineEnds.h"
#include "catalogue/NormalisedForm.h"
#include "platform/Files.h"

namespace quorvel::catalogue {

namespace {
constexpr std::string_view kBlockOpening = "Textur{";
constexpr std::size_t kNoPosition = std::string::npos;
constexpr std::size_t kReadPieceSize = 1024 * 1024;
constexpr char kEndOfText = '\x1A';  // Ctrl-Z

}  // namespace

TextureCatalogue TextureCatalogue::FromFileBytes(std::string_view bytes) {
    // Text mode: the input ends at a Ctrl-Z, and a CR before an LF is dropped; CR is whitespace
    // to the normalised form anyway, so only the end needs care here.
    const std::size_t end = bytes.find(kEndOfText);
    NormalisedTextBuilder builder;
    builder.Reserve(std::min(end, bytes.size()));
    builder.Feed(bytes.substr(0, end));
    return TextureCatalogue(builder.Finish());
}

std::optional<TextureCatalogue> TextureCatalogue::Load(platform::Host& host,
                                                       const std::string& path) {
    const platform::UniqueFile file = host.OpenFileForRead(path);
    if (!file.IsValid()) {
        return std::nullopt;  // nothing is created
    }
    // Read in pieces and normalised as it comes, so that the file's bytes are never held whole
    // beside the text. A read error before the end is a failure: a catalogue read only in part
    // must never be merged and written back. Nor must one that the merge would damage.
    NormalisedTextBuilder builder;
    if (const platform::Result<std::uint64_t> size = platform::GetFileSize(file)) {
        builder.Reserve(static_cast<std::size_t>(*size));
    }
    MergeableCheck check;
    bool ended = false;  // at a Ctrl-Z, as in text mode
    std::vector<char> piece(kReadPieceSize);
    for (;;) {
        const platform::Result<std::size_t> count =
            platform::ReadFromFile(file, piece.data(), piece.size());
        if (!count) {
            return std::nullopt;
        }
        if (*count == 0) {
            break;
        }
        const std::string_view bytes(piece.data(), *count);
        check.Feed(bytes);
        if (!ended) {
            const std::size_t end = bytes.find(kEndOfText);
            builder.Feed(bytes.substr(0, end));
            ended = end != std::string_view::npos;
        }
    }
    if (!check.Mergeable()) {
        return std::nullopt;
    }
    return TextureCatalogue(builder.Finish());
}

const std::string& TextureCatalogue::Text() const {
    if (!textCurrent_) {
        text_ = chunks_.Flatten();
        textCurrent_ = true;
    }
    return text_;
}

ChunkedText& TextureCatalogue::Chunks() const {
    if (!chunked_) {
        chunks_ = ChunkedText(std::move(text_), chunkSize_);
        chunked_ = true;
        text_ = std::string();  // the chunks hold the text now; no second copy stays
        textCurrent_ = false;
    }
    return chunks_;
}

void TextureCatalogue::Changed() {
    if (textCurrent_) {
        text_ = std::string();
        textCurrent_ = false;
    }
}

std::string TextureCatalogue::FileBytes() const {
    return chunked_ ? chunks_.WithWindowsLineEnds() : WithWindowsLineEnds(text_);
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
    if (place.erasedLength > 0 || !result.newBlock.empty()) {
        // The old block out and the new one in, in one edit.
        Chunks().Replace(place.position, place.erasedLength, result.newBlock);
        Changed();
    }
    if (definition.empty()) {
        result.action = result.action == MergeAction::kReplaced ? MergeAction::kRemoved
                                                                : MergeAction::kPassedOver;
        result.beforeId.reset();
    }
    return result;
}

std::int32_t TextureCatalogue::LastTextureId() const {
    const ChunkedText& text = Chunks();
    const std::size_t markerStart = text.RFind(kMarkerOpening);
    if (markerStart == kNoPosition) {
        // A text without "id(" holds no marker that a search up to this bound could find.
        return 0;
    }
    // The number up to the ")" that follows, as far as ReadLeadingNumber reads: it stops at
    // the ")" anyway.
    return text.ReadNumberAt(markerStart + kMarkerOpening.size());
}

std::size_t TextureCatalogue::LocateTexture(std::int32_t id, std::int32_t last, bool remove) {
    const Place place = Locate(id, last, remove);
    if (place.erasedLength > 0) {
        Chunks().Replace(place.position, place.erasedLength, {});
        Changed();
    }
    return place.position;
}

TextureCatalogue::Place TextureCatalogue::Locate(std::int32_t id, std::int32_t last, bool remove) {
    ChunkedText& text = Chunks();
    const MarkerMatch match = text.FindMarkers(id, last);
    Place place;
    if (match.exact != kNoPosition) {
        // The block that begins at the last "Textur{" at or before the marker, whether or not
        // it encloses the marker.
        const std::size_t start = text.RFind(kBlockOpening, match.exact);
        if (start == kNoPosition) {
            return place;
        }
        if (remove) {
            const std::size_t end = text.FindBlockEnd(start);
            if (end == kNoPosition) {
                return place;  // a block never closed is left alone
            }
            // What followed the block's "}", its separator, stays in place.
            place.erased = text.Substr(start, end - start + 1);
            place.erasedLength = end - start + 1;
        }
        place.position = start;
        place.action = MergeAction::kReplaced;
        return place;
    }
    if (match.nextHigher != kNoPosition) {
        place.position = text.RFind(kBlockOpening, match.nextHigher);  // npos without "Textur{"
        if (place.position != kNoPosition) {
            place.action = MergeAction::kInserted;
            place.beforeId = match.nextHigherId;
        }
        return place;
    }
    place.position = text.RFind('}');  // npos when the text holds no "}"
    if (place.position != kNoPosition) {
        place.action = MergeAction::kAppended;
    }
    return place;
}

std::size_t TextureCatalogue::FindBlockEnd(std::size_t from) const {
    return Chunks().FindBlockEnd(from);
}

}  // namespace quorvel::catalogue
