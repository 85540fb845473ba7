// The catalogue's text as a row of chunks of a few KiB, each with a summary of the id markers it
// holds, so that a merge costs what it touches, not the whole catalogue.
//
// Why chunks: every entry of the texture section asks where the marker of its id first occurs
// (or of the smallest higher id), then erases or inserts a block there. On one string that is a
// scan of the whole text and a move of its whole tail per entry. Here the question is answered
// from the chunks' summaries (each knows the ids whose markers it holds, sorted, with the first
// place of each), and an edit rewrites the one or two chunks it falls in and their summaries.
//
// Why the chunks end after whitespace: every text the merge looks for ("id(" and the number of a
// marker, "Textur{", the markers themselves) holds no whitespace, so none of them can stand
// across the end of a chunk; each chunk is searched on its own. An edit keeps this: it rewrites
// the chunks it touches, and the next ones too while the rewritten text would end in anything but
// whitespace, then cuts the result again. Text that the edit puts next to other text, and so may
// form a marker across its own boundary, is inside one rewritten chunk and summarised anew. A
// catalogue without whitespace stays one chunk: slower, never different.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/MarkerMatch.h"

namespace quorvel::catalogue {

class ChunkedText {
public:
    static constexpr std::size_t kDefaultChunkSize = 8 * 1024;
    static constexpr std::size_t npos = std::string::npos;

    ChunkedText() = default;
    // `chunkSize`: where a chunk is cut, at the first whitespace from there on (tests choose
    // small sizes to put chunk ends everywhere). The chunks are views of `text`, which is kept,
    // not copied; an edit gives the chunks it rewrites a text of their own.
    explicit ChunkedText(std::string text, std::size_t chunkSize = kDefaultChunkSize);

    std::size_t Size() const { return size_; }
    std::string Flatten() const;
    // The text with every newline written as CR LF.
    std::string WithWindowsLineEnds() const;
    std::string Substr(std::size_t pos, std::size_t count) const;

    // The last `pattern` (which holds no whitespace) that begins at or before `before`.
    std::size_t RFind(std::string_view pattern, std::size_t before = npos) const;
    std::size_t RFind(char c) const;
    // The "}" closing the first "{" at or after `from`, as TextureCatalogue::FindBlockEnd.
    std::size_t FindBlockEnd(std::size_t from) const;
    // Where the marker of `id` first stands, or else that of the smallest higher id up to
    // `last` (MarkerMatch), as one pass over the whole text would find them.
    MarkerMatch FindMarkers(std::int32_t id, std::int32_t last) const;
    // ReadLeadingNumber of the text from `pos` to its end.
    std::int32_t ReadNumberAt(std::size_t pos) const;

    // Replaces the `count` characters at `pos` with `with`.
    void Replace(std::size_t pos, std::size_t count, std::string_view with);

private:
    struct Marker {
        std::int32_t id;
        std::uint32_t firstAt;  // the first place of the id's marker within the chunk
    };
    struct Chunk {
        std::shared_ptr<const std::string> storage;  // what `text` is a view of
        std::string_view text;
        std::vector<Marker> markers;  // sorted by id, one for each id
    };

    // Cuts the text of `storage` into chunks, summarised, appended to `out`.
    void Cut(const std::shared_ptr<const std::string>& storage, std::vector<Chunk>& out) const;
    static Chunk Summarised(const std::shared_ptr<const std::string>& storage,
                            std::string_view text);
    // The chunk that holds `pos` (< Size()) and the place where that chunk begins.
    std::size_t ChunkAt(std::size_t pos, std::size_t* chunkStart) const;

    std::vector<Chunk> chunks_;
    std::size_t size_ = 0;
    std::size_t chunkSize_ = kDefaultChunkSize;
};

}  // namespace quorvel::catalogue
