// Today's merge of the texture catalogue kept as it was written first: one string, searched
// whole for every entry. The catalogue's merge must give the same result as this one, byte for
// byte, for any text and any entries; the tests and a fuzz target compare the two.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue/TextureCatalogue.h"

namespace quorvel::test {

class ReferenceCatalogue {
public:
    explicit ReferenceCatalogue(std::string normalisedText) : text_(std::move(normalisedText)) {}

    const std::string& Text() const { return text_; }
    catalogue::MergeResult Merge(std::int32_t id, std::string_view definition);
    std::int32_t LastTextureId() const;
    std::size_t LocateTexture(std::int32_t id, std::int32_t last, bool remove);
    std::size_t FindBlockEnd(std::size_t from) const;

private:
    struct Place {
        std::size_t position = std::string::npos;
        catalogue::MergeAction action = catalogue::MergeAction::kNoPlace;
        std::optional<std::int32_t> beforeId;
        std::string erased;
    };
    Place Locate(std::int32_t id, std::int32_t last, bool remove);

    std::string text_;
};

}  // namespace quorvel::test
