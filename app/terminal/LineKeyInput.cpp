#include <cctype>
#include <string>

#include "app/terminal/BoundedLine.h"
#include "app/terminal/KeyInput.h"

namespace quorvel::app::terminal {

KeyPress LineKeyInput::NextKey() {
    std::string line;
    if (!ReadBoundedLine(input_, line)) {
        return {KeyPress::Kind::EndOfInput};
    }
    const std::size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return {KeyPress::Kind::Enter};
    }
    if (line[first] == '\x1B') {
        return {KeyPress::Kind::Escape};
    }
    const auto lower = static_cast<char>(std::tolower(static_cast<unsigned char>(line[first])));
    return {KeyPress::Kind::Character, lower};
}

}  // namespace quorvel::app::terminal
