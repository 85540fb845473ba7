// Trassimo's texture catalogue as a value: its text in normalised form (NormalisedForm.h), read
// from a file or from bytes, merged one texture entry at a time, and turned back into the bytes
// of the file. It knows nothing of the install run that uses it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue/ChunkedText.h"
#include "platform/Host.h"

namespace quorvel::catalogue {

// Where a merged definition went.
enum class MergeAction {
    kReplaced,    // in place of the block in which its id's marker first occurs
    kInserted,    // before the block of a higher id (MergeResult::beforeId)
    kAppended,    // before the last "}" of the text
    kRemoved,     // an empty definition removed the block of its id
    kPassedOver,  // nothing changed: an empty definition with no block to remove
    kNoPlace,     // the text offers no valid place: nothing changed, the merge fails
};

struct MergeResult {
    MergeAction action = MergeAction::kPassedOver;
    std::optional<std::int32_t> beforeId;  // for kInserted: the id of the block it went before
    std::string oldBlock;                  // the block replaced or removed, as it stood
    std::string newBlock;                  // the definition as it went in
};

class TextureCatalogue {
public:
    TextureCatalogue() = default;
    // A catalogue whose text is in normalised form already. `chunkSize`: see ChunkedText.
    explicit TextureCatalogue(std::string normalisedText,
                              std::size_t chunkSize = ChunkedText::kDefaultChunkSize)
        : text_(std::move(normalisedText)), chunkSize_(chunkSize) {}

    // The catalogue of a file's bytes, read as Windows' text mode reads a file: a CR LF pair is
    // one LF, and a Ctrl-Z ends the input.
    static TextureCatalogue FromFileBytes(std::string_view bytes);
    // Reads the file `path` through `host`; nothing when it cannot be opened or read whole, or
    // when the merge would damage it (IsMergeableCatalogue).
    static std::optional<TextureCatalogue> Load(platform::Host& host, const std::string& path);

    // The text in normalised form. After a merge it is put together anew on the first call:
    // for observers and tests, not for every entry.
    const std::string& Text() const;
    // The bytes of the file: the text with every newline written as CR LF.
    std::string FileBytes() const;

    // Puts one definition of the script's texture section (the text after ">>") in for `id`:
    // in place of the block that holds the id's marker, before the block of the nearest higher
    // id up to the last id of the text, or before the last "}". An empty definition removes
    // the block. With kNoPlace the text is unchanged.
    MergeResult Merge(std::int32_t id, std::string_view definition);

    // The number in the last id marker of the text (0 when it holds no "id(").
    std::int32_t LastTextureId() const;
    // Where the definition of `id` goes; with `remove` the block holding its marker is erased.
    // std::string::npos when the text offers no valid place.
    std::size_t LocateTexture(std::int32_t id, std::int32_t last, bool remove);
    // The "}" closing the first "{" at or after `from`, or std::string::npos.
    std::size_t FindBlockEnd(std::size_t from) const;

private:
    struct Place {
        std::size_t position = std::string::npos;  // npos: no valid place
        MergeAction action = MergeAction::kNoPlace;
        std::optional<std::int32_t> beforeId;
        std::string erased;            // the block to take out, with `remove`
        std::size_t erasedLength = 0;  // its length, taken out by the caller
    };
    // With `remove`, the block to erase is named in the place, not yet erased.
    Place Locate(std::int32_t id, std::int32_t last, bool remove);
    // The text as chunks, made from text_ on the first use; text_ is let go then.
    ChunkedText& Chunks() const;
    void Changed();

    // The whole text: as loaded until the first merge, afterwards only when Text() asks.
    mutable std::string text_;
    mutable bool textCurrent_ = true;
    mutable ChunkedText chunks_;
    mutable bool chunked_ = false;
    std::size_t chunkSize_ = ChunkedText::kDefaultChunkSize;
};

}  // namespace quorvel::catalogue
