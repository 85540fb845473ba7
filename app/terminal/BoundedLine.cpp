#include "app/terminal/BoundedLine.h"

namespace quorvel::app::terminal {

bool ReadBoundedLine(std::istream& in, std::string& line, std::size_t limit) {
    using Traits = std::istream::traits_type;
    line.clear();
    const std::istream::sentry sentry(in, true);  // leading whitespace belongs to the line
    if (!sentry) {
        return false;
    }
    std::streambuf& buffer = *in.rdbuf();
    bool readAny = false;
    while (true) {
        const Traits::int_type next = buffer.sbumpc();
        if (Traits::eq_int_type(next, Traits::eof())) {
            in.setstate(readAny ? std::ios::eofbit : std::ios::eofbit | std::ios::failbit);
            return readAny;
        }
        readAny = true;
        const char c = Traits::to_char_type(next);
        if (c == '\n') {
            return true;
        }
        if (line.size() < limit) {
            line.push_back(c);
        }
    }
}

}  // namespace quorvel::app::terminal
