#include "app/prefixes/PrefixListing.h"

#include "app/VisibleText.h"
#include "platform/Cp1252.h"

namespace quorvel::app {

void WritePrefixListing(std::ostream& out, const std::vector<platform::posix::FoundPrefix>& found) {
    if (found.empty()) {
        out << "Es wurde kein Wine-Pr\u00e4fix gefunden.\n";
        return;
    }
    std::size_t holding = 0;
    std::size_t number = 0;
    for (const platform::posix::FoundPrefix& prefix : found) {
        out << ++number << ". " << VisibleText(prefix.folder) << "\n";
        out << "   Gefunden: " << VisibleText(prefix.origin) << "\n";
        if (!prefix.isPrefix) {
            out << "   Trassimo: Pr\u00e4fix noch nicht eingerichtet\n";
        } else if (prefix.HoldsTrassimo()) {
            ++holding;
            out << "   Trassimo: " << VisibleText(platform::Cp1252ToUtf8(*prefix.trassimoAppPath))
                << "\n";
        } else {
            out << "   Trassimo: nicht installiert\n";
        }
        if (!prefix.hint.empty()) {
            out << "   Hinweis: " << VisibleText(prefix.hint) << "\n";
        }
    }
    out << "\n";
    if (holding == 0) {
        out << "Trassimo ist in keinem dieser Pr\u00e4fixe installiert.\n";
    } else if (holding == 1) {
        out << "Trassimo ist in einem Pr\u00e4fix installiert; Quorvel verwendet es von selbst.\n";
    } else {
        out << "Trassimo ist in " << holding
            << " Pr\u00e4fixen installiert; Quorvel fragt beim Start, welches verwendet werden "
               "soll.\n";
    }
    out << "Ein bestimmtes Pr\u00e4fix w\u00e4hlen: quorvel --prefix ORDNER\n";
}

}  // namespace quorvel::app
