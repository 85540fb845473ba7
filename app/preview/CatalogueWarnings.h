// What the catalogue's save would change beyond its layout, for the preview to warn about.
// The catalogue's text is Windows-1252; the warnings are UTF-8.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/preview/Preview.h"
#include "catalogue/TextureCatalogue.h"

namespace quorvel::app::preview {

// Values with blanks inside, "datei(Mein Gleis.bmp)", which the saved catalogue holds without
// them: one warning for each, with its line in the catalogue file.
std::vector<PreviewWarning> BlanksInValues(std::string_view catalogueBytes);

// A replacement or removal whose id marker was found outside the block it takes the place of:
// inside a longer word ("xid(5)"), or in a block that has another id first.
std::optional<PreviewWarning> MarkerOutsideBlock(std::size_t line, std::int32_t id,
                                                 const catalogue::MergeResult& merge);

// True when the text is one pair of braces around everything: then the last "}" closes it and
// a definition appended before it lands between the blocks, not inside the last one.
bool HasOuterBraces(std::string_view text);

}  // namespace quorvel::app::preview
