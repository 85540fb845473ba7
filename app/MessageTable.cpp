#include "app/MessageTable.h"

#include "platform/Cp1252.h"

namespace quorvel::app {

std::string_view MessageUtf8(unsigned id) {
    switch (id) {
#define QUORVEL_MESSAGE(number, text) \
    case number:                      \
        return text;
#include "app/MessageTable.inc"
#undef QUORVEL_MESSAGE
        default:
            return {};
    }
}

std::string MessageText(unsigned id) {
    return platform::Utf8ToCp1252(MessageUtf8(id)).value_or(std::string());
}

}  // namespace quorvel::app
