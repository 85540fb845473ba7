// A menu label with an access key: "Inf&o über" is shown as "Info über" with the o marked.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvel::app {

struct MenuLabel {
    std::string text;      // the label without the "&" markers ("&&" gives one "&")
    std::size_t keyIndex;  // index in `text` of the access key, or std::string::npos
    char Key() const { return keyIndex == std::string::npos ? '\0' : text[keyIndex]; }
};

MenuLabel ParseMenuLabel(std::string_view label);

}  // namespace quorvel::app
