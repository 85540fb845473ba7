// Where the terminal front end gets its answers: single keys from a terminal, or one answer a
// line from a pipe or file, so that an install can be scripted.
#pragma once

#include <istream>
#include <memory>

namespace quorvel::app::terminal {

struct KeyPress {
    enum class Kind { Enter, Escape, Character, EndOfInput };
    Kind kind;
    char character = '\0';  // for Kind::Character, in lower case
};

class KeyInput {
public:
    virtual ~KeyInput() = default;
    virtual KeyPress NextKey() = 0;
};

// One answer a line: an empty line is Enter, a line holding ESC is Escape, any other line is
// its first character; the end of the input is EndOfInput. Of a line longer than kAnswerLimit
// (BoundedLine.h) only its start counts.
class LineKeyInput : public KeyInput {
public:
    explicit LineKeyInput(std::istream& input) : input_(input) {}
    KeyPress NextKey() override;

private:
    std::istream& input_;
};

// Single key presses from the terminal on standard input, which is put into raw mode while
// the object lives. Null when standard input is not a terminal.
std::unique_ptr<KeyInput> OpenTerminalKeyInput();

}  // namespace quorvel::app::terminal
