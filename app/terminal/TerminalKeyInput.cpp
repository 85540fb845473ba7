// Raw key input from a terminal (POSIX termios).
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cctype>

#include "app/terminal/KeyInput.h"
#include "platform/posix/Interruption.h"

namespace quorvel::app::terminal {

namespace {

constexpr char kEscape = '\x1B';
constexpr char kEndOfTransmission = '\x04';  // Ctrl-D
constexpr int kSequenceWaitMs = 30;

// Keeps the terminal in raw mode while it lives and gives it back as it was, also when a
// signal ends the program. Ctrl-C keeps sending SIGINT, so that it stops a run at any moment.
class TerminalKeyInput : public KeyInput {
public:
    explicit TerminalKeyInput(const termios& saved) : saved_(saved) {
        termios raw = saved_;
        raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
        raw.c_iflag &= ~static_cast<tcflag_t>(ICRNL | IXON);
        raw.c_cc[VMIN] = 1;
        raw.c_cc[VTIME] = 0;
        platform::posix::RememberTerminalSettings(STDIN_FILENO, saved_);
        tcsetattr(STDIN_FILENO, TCSANOW, &raw);
    }
    ~TerminalKeyInput() override {
        tcsetattr(STDIN_FILENO, TCSANOW, &saved_);
        platform::posix::ForgetTerminalSettings();
    }
    TerminalKeyInput(const TerminalKeyInput&) = delete;
    TerminalKeyInput& operator=(const TerminalKeyInput&) = delete;

    KeyPress NextKey() override {
        while (true) {
            char byte = 0;
            if (read(STDIN_FILENO, &byte, 1) != 1 || byte == kEndOfTransmission) {
                return {KeyPress::Kind::EndOfInput};
            }
            if (byte == '\r' || byte == '\n') {
                return {KeyPress::Kind::Enter};
            }
            if (byte == kEscape) {
                if (!SkipEscapeSequence()) {
                    return {KeyPress::Kind::Escape};
                }
                continue;  // an arrow or function key: not an answer
            }
            const auto lower = static_cast<char>(std::tolower(static_cast<unsigned char>(byte)));
            return {KeyPress::Kind::Character, lower};
        }
    }

private:
    // A lone ESC is the Escape key; ESC followed at once by more bytes is a key sequence,
    // which is read and dropped. True when a sequence was dropped.
    static bool SkipEscapeSequence() {
        bool dropped = false;
        pollfd input{STDIN_FILENO, POLLIN, 0};
        while (poll(&input, 1, kSequenceWaitMs) == 1 && (input.revents & POLLIN) != 0) {
            char ignored[16];
            if (read(STDIN_FILENO, ignored, sizeof ignored) <= 0) {
                break;
            }
            dropped = true;
        }
        return dropped;
    }

    termios saved_;
};

}  // namespace

std::unique_ptr<KeyInput> OpenTerminalKeyInput() {
    termios saved{};
    if (!isatty(STDIN_FILENO) || tcgetattr(STDIN_FILENO, &saved) != 0) {
        return nullptr;
    }
    return std::make_unique<TerminalKeyInput>(saved);
}

}  // namespace quorvel::app::terminal
