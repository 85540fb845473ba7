#include "platform/Application.h"

namespace quorvel::platform {

std::string FormatText(std::string_view format, std::initializer_list<std::string_view> arguments) {
    std::string text;
    text.reserve(format.size());
    auto next = arguments.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size()) {
            if (format[i + 1] == 's') {
                if (next != arguments.end()) {
                    text.append(*next++);
                }
                ++i;
                continue;
            }
            if (format[i + 1] == '%') {
                text.push_back('%');
                ++i;
                continue;
            }
        }
        text.push_back(format[i]);
    }
    return text;
}

}  // namespace quorvel::platform
