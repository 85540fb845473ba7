#include "app/MenuLabel.h"

namespace quorvel::app {

MenuLabel ParseMenuLabel(std::string_view label) {
    MenuLabel parsed{std::string(), std::string::npos};
    for (std::size_t i = 0; i < label.size(); ++i) {
        if (label[i] == '&' && i + 1 < label.size()) {
            ++i;
            if (label[i] != '&' && parsed.keyIndex == std::string::npos) {
                parsed.keyIndex = parsed.text.size();
            }
        }
        parsed.text.push_back(label[i]);
    }
    return parsed;
}

}  // namespace quorvel::app
