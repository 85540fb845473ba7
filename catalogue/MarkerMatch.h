// Where the id markers stand that decide where a texture definition goes in the catalogue text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorvel::catalogue {

struct MarkerMatch {
    // The first occurrence of the marker of the id sought, as plain text (also inside a longer
    // word such as xid(5)); npos when the text holds none.
    std::size_t exact = std::string_view::npos;
    // Only when `exact` is npos and id < last: of all ids in (id, last] whose marker occurs in
    // the text, the smallest one, and the first occurrence of its marker; npos when none occurs.
    // This is the place that trying the markers of id + 1, id + 2 ... last one after the other
    // would find.
    std::size_t nextHigher = std::string_view::npos;
    // The id whose marker stands at `nextHigher`.
    std::int32_t nextHigherId = 0;
};

}  // namespace quorvel::catalogue
