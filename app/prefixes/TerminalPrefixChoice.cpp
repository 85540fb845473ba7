#include "app/prefixes/TerminalPrefixChoice.h"

#include <string>

#include "app/VisibleText.h"
#include "app/terminal/BoundedLine.h"

namespace quorvel::app {

namespace {

using platform::posix::FoundPrefix;

void ShowList(const std::vector<FoundPrefix>& holding, std::ostream& out) {
    out << "Trassimo ist in mehreren Wine-Pr\u00e4fixen installiert. Welches soll Quorvel "
           "verwenden?\n";
    std::size_t number = 0;
    for (const FoundPrefix& prefix : holding) {
        out << "  " << ++number << "  " << VisibleText(prefix.folder) << "\n";
        out << "     " << VisibleText(prefix.origin) << "\n";
    }
}

void Prompt(std::size_t count, std::ostream& out) {
    out << "Nummer 1 bis " << count << " (Enter: 1, a: Abbrechen): " << std::flush;
}

// The number in `answer` (blanks around it allowed) if it lies in 1..count; else 0.
std::size_t NumberIn(const std::string& answer, std::size_t count) {
    const std::size_t first = answer.find_first_not_of(" \t\r");
    const std::size_t last = answer.find_last_not_of(" \t\r");
    if (first == std::string::npos) {
        return 0;
    }
    std::size_t number = 0;
    for (std::size_t i = first; i <= last; ++i) {
        const char c = answer[i];
        if (c < '0' || c > '9' || number > count) {
            return 0;
        }
        number = number * 10 + static_cast<std::size_t>(c - '0');
    }
    return number >= 1 && number <= count ? number : 0;
}

}  // namespace

std::optional<FoundPrefix> ChoosePrefixInTerminal(const std::vector<FoundPrefix>& holding,
                                                  std::istream& in, std::ostream& out) {
    if (holding.empty()) {
        return std::nullopt;
    }
    if (holding.size() == 1) {
        out << "Trassimo gefunden in " << VisibleText(holding.front().folder) << " ("
            << VisibleText(holding.front().origin) << ")." << std::endl;
        return holding.front();
    }
    ShowList(holding, out);
    Prompt(holding.size(), out);
    std::string answer;
    while (terminal::ReadBoundedLine(in, answer)) {
        const std::size_t first = answer.find_first_not_of(" \t\r");
        if (first == std::string::npos) {
            return holding.front();
        }
        const char key = answer[first];
        if (key == '\x1B' || key == 'a' || key == 'A') {
            return std::nullopt;
        }
        if (const std::size_t number = NumberIn(answer, holding.size()); number != 0) {
            return holding[number - 1];
        }
        out << "Bitte eine Nummer von 1 bis " << holding.size() << " eingeben.\n";
        Prompt(holding.size(), out);
    }
    out << "\n";
    return std::nullopt;
}

}  // namespace quorvel::app
