#include "catalogue/ChunkedText.h"

#include <algorithm>

#include "catalogue/IdNumber.h"
#include "catalogue/LineEnds.h"
#include "platform/TextRules.h"

namespace quorvel::catalogue {

namespace {

// A 32-bit number has at most 10 digits: with 11 significant ones ReadLeadingNumber has reached
// its limit and stays there, whatever follows.
constexpr std::size_t kDigitsThatSaturate = 11;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

ChunkedText::ChunkedText(std::string text, std::size_t chunkSize)
    : size_(text.size()), chunkSize_(std::max<std::size_t>(chunkSize, 1)) {
    Cut(std::make_shared<const std::string>(std::move(text)), chunks_);
}

void ChunkedText::Cut(const std::shared_ptr<const std::string>& storage,
                      std::vector<Chunk>& out) const {
    std::string_view text(*storage);
    while (!text.empty()) {
        std::size_t end = text.size();
        // Cut only what is twice the size: an edit that grows a chunk a little keeps it one.
        if (text.size() > 2 * chunkSize_) {
            const auto whitespace =
                std::find_if(text.begin() + static_cast<std::ptrdiff_t>(chunkSize_ - 1), text.end(),
                             platform::IsWhitespace);
            if (whitespace != text.end()) {
                end = static_cast<std::size_t>(whitespace - text.begin()) + 1;
            }
        }
        out.push_back(Summarised(storage, text.substr(0, end)));
        text.remove_prefix(end);
    }
}

ChunkedText::Chunk ChunkedText::Summarised(const std::shared_ptr<const std::string>& storage,
                                           std::string_view text) {
    Chunk chunk{storage, text, {}};
    const std::string_view view = text;
    for (std::size_t at = view.find(kMarkerOpening); at != std::string_view::npos;
         at = view.find(kMarkerOpening, at + kMarkerOpening.size())) {
        if (const std::optional<std::int32_t> id = MarkedIdAt(view, at)) {
            chunk.markers.push_back({*id, static_cast<std::uint32_t>(at)});
        }
    }
    // Sorted by id, the first place of each id kept (a catalogue in id order is sorted already).
    const auto byId = [](const Marker& a, const Marker& b) { return a.id < b.id; };
    if (!std::is_sorted(chunk.markers.begin(), chunk.markers.end(), byId)) {
        std::stable_sort(chunk.markers.begin(), chunk.markers.end(), byId);
    }
    chunk.markers.erase(std::unique(chunk.markers.begin(), chunk.markers.end(),
                                    [](const Marker& a, const Marker& b) { return a.id == b.id; }),
                        chunk.markers.end());
    return chunk;
}

std::string ChunkedText::Flatten() const {
    std::string text;
    text.reserve(size_);
    for (const Chunk& chunk : chunks_) {
        text += chunk.text;
    }
    return text;
}

std::string ChunkedText::WithWindowsLineEnds() const {
    std::size_t newlines = 0;
    for (const Chunk& chunk : chunks_) {
        newlines +=
            static_cast<std::size_t>(std::count(chunk.text.begin(), chunk.text.end(), '\n'));
    }
    std::string bytes(size_ + newlines, '\0');
    char* out = bytes.data();
    for (const Chunk& chunk : chunks_) {
        out = AppendWithWindowsLineEnds(chunk.text, out);
    }
    return bytes;
}

std::size_t ChunkedText::ChunkAt(std::size_t pos, std::size_t* chunkStart) const {
    std::size_t start = 0;
    for (std::size_t index = 0; index < chunks_.size(); ++index) {
        if (pos < start + chunks_[index].text.size()) {
            *chunkStart = start;
            return index;
        }
        start += chunks_[index].text.size();
    }
    *chunkStart = start;
    return chunks_.size();
}

std::string ChunkedText::Substr(std::size_t pos, std::size_t count) const {
    std::string piece;
    std::size_t start = 0;
    for (std::size_t index = ChunkAt(pos, &start); index < chunks_.size() && count > 0; ++index) {
        const std::string_view text = chunks_[index].text;
        const std::size_t from = pos > start ? pos - start : 0;
        const std::size_t taken = std::min(count, text.size() - from);
        piece.append(text, from, taken);
        count -= taken;
        start += text.size();
    }
    return piece;
}

std::size_t ChunkedText::RFind(std::string_view pattern, std::size_t before) const {
    if (chunks_.empty()) {
        return npos;
    }
    std::size_t start = 0;
    std::size_t index = before < size_ ? ChunkAt(before, &start) : chunks_.size() - 1;
    if (before >= size_) {
        start = size_ - chunks_.back().text.size();
    }
    std::size_t local = before < size_ ? before - start : npos;
    for (;;) {
        const std::size_t found = chunks_[index].text.rfind(pattern, local);
        if (found != npos) {
            return start + found;
        }
        if (index == 0) {
            return npos;
        }
        --index;
        start -= chunks_[index].text.size();
        local = npos;
    }
}

std::size_t ChunkedText::RFind(char c) const {
    std::size_t end = size_;
    for (std::size_t index = chunks_.size(); index-- > 0;) {
        end -= chunks_[index].text.size();
        const std::size_t found = chunks_[index].text.rfind(c);
        if (found != npos) {
            return end + found;
        }
    }
    return npos;
}

std::size_t ChunkedText::FindBlockEnd(std::size_t from) const {
    if (from >= size_) {
        return npos;
    }
    std::size_t start = 0;
    std::size_t index = ChunkAt(from, &start);
    std::size_t local = from - start;
    bool opened = false;
    std::size_t depth = 0;  // never above the text's length
    for (; index < chunks_.size(); ++index, local = 0) {
        const std::string_view text = chunks_[index].text;
        for (std::size_t pos = text.find_first_of(opened ? "{}" : "{", local); pos != npos;
             pos = text.find_first_of("{}", pos + 1)) {
            if (!opened) {
                opened = true;
                depth = 1;
            } else if (text[pos] == '{') {
                ++depth;
            } else if (--depth == 0) {
                return start + pos;
            }
        }
        start += text.size();
    }
    return npos;
}

MarkerMatch ChunkedText::FindMarkers(std::int32_t id, std::int32_t last) const {
    MarkerMatch match;
    const bool higherIdsWanted = id < last;
    const auto byId = [](const Marker& marker, std::int32_t value) { return marker.id < value; };
    std::size_t start = 0;
    for (const Chunk& chunk : chunks_) {
        const std::vector<Marker>& markers = chunk.markers;
        if (!markers.empty() && markers.back().id >= id) {
            // The first marker of an id >= `id` here: the id itself, or the smallest higher
            // one. Most chunks lie wholly above or below `id` and need no search.
            const auto found = markers.front().id >= id
                                   ? markers.begin()
                                   : std::lower_bound(markers.begin(), markers.end(), id, byId);
            if (found->id == id) {
                return MarkerMatch{start + found->firstAt, std::string_view::npos, 0};
            }
            // Strictly smaller only: for the same id, its first occurrence stays.
            if (higherIdsWanted && found->id <= last &&
                (match.nextHigher == std::string_view::npos || found->id < match.nextHigherId)) {
                match.nextHigherId = found->id;
                match.nextHigher = start + found->firstAt;
            }
        }
        start += chunk.text.size();
    }
    return match;
}

std::int32_t ChunkedText::ReadNumberAt(std::size_t pos) const {
    // What ReadLeadingNumber reads, gathered across chunks: the whitespace before the number
    // is passed over, then a sign and the significant digits are kept.
    std::string number;
    bool signSeen = false;
    bool digitsStarted = false;
    std::size_t start = 0;
    for (std::size_t index = pos < size_ ? ChunkAt(pos, &start) : chunks_.size();
         index < chunks_.size(); ++index) {
        const std::string_view text = chunks_[index].text;
        for (std::size_t at = pos > start ? pos - start : 0; at < text.size(); ++at) {
            const char c = text[at];
            if (!signSeen && !digitsStarted && platform::IsWhitespace(c)) {
                continue;
            }
            if (!signSeen && !digitsStarted && (c == '+' || c == '-')) {
                signSeen = true;
                number += c;
                continue;
            }
            signSeen = true;
            if (!IsDigit(c) || number.size() > kDigitsThatSaturate) {
                return ReadLeadingNumber(number);
            }
            if (c == '0' && !digitsStarted) {
                continue;  // a leading zero changes nothing
            }
            digitsStarted = true;
            number += c;
        }
        start += text.size();
    }
    return ReadLeadingNumber(number);
}

void ChunkedText::Replace(std::size_t pos, std::size_t count, std::string_view with) {
    if (chunks_.empty()) {
        Cut(std::make_shared<const std::string>(with), chunks_);
        size_ = with.size();
        return;
    }
    // The chunks the edit falls in: from the one holding `pos` (the last one at the end) to the
    // one holding the last character erased.
    std::size_t start = 0;
    std::size_t first = pos < size_ ? ChunkAt(pos, &start) : chunks_.size() - 1;
    if (pos >= size_) {
        start = size_ - chunks_.back().text.size();
    }
    std::size_t ignored = 0;
    std::size_t end = count == 0 ? first : ChunkAt(pos + count - 1, &ignored);
    std::string text;
    for (std::size_t index = first; index <= end; ++index) {
        text += chunks_[index].text;
    }
    text.replace(pos - start, count, with);
    // Ends after whitespace, or is the end of the text.
    while (end + 1 < chunks_.size() && (text.empty() || !platform::IsWhitespace(text.back()))) {
        text += chunks_[++end].text;
    }
    std::vector<Chunk> rewritten;
    Cut(std::make_shared<const std::string>(std::move(text)), rewritten);
    // In place where the number of chunks stays, as it mostly does: the row is not moved.
    const std::size_t replaced = end - first + 1;
    const std::size_t kept = std::min(replaced, rewritten.size());
    std::move(rewritten.begin(), rewritten.begin() + static_cast<std::ptrdiff_t>(kept),
              chunks_.begin() + static_cast<std::ptrdiff_t>(first));
    const auto after = chunks_.begin() + static_cast<std::ptrdiff_t>(first + kept);
    if (rewritten.size() > replaced) {
        chunks_.insert(
            after, std::make_move_iterator(rewritten.begin() + static_cast<std::ptrdiff_t>(kept)),
            std::make_move_iterator(rewritten.end()));
    } else {
        chunks_.erase(after, after + static_cast<std::ptrdiff_t>(replaced - kept));
    }
    size_ = size_ - count + with.size();
}

}  // namespace quorvel::catalogue
