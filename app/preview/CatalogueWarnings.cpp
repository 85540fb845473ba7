#include "app/preview/CatalogueWarnings.h"

#include "catalogue/IdNumber.h"
#include "platform/Cp1252.h"
#include "platform/TextRules.h"

namespace quorvel::app::preview {

namespace {

bool IsWordCharacter(char c) {
    return !platform::IsWhitespace(c) && c != '{' && c != '}' && c != '(' && c != ')';
}

// The first "id(" in `text` and the number after it, as far as digits go.
std::optional<std::string> FirstMarker(std::string_view text) {
    const std::size_t at = text.find(catalogue::kMarkerOpening);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t close = text.find(')', at);
    return std::string(text.substr(
        at, close == std::string_view::npos ? catalogue::kMarkerOpening.size() : close - at + 1));
}

}  // namespace

std::vector<PreviewWarning> BlanksInValues(std::string_view bytes) {
    std::vector<PreviewWarning> warnings;
    std::size_t line = 1;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ++line;
            continue;
        }
        if (bytes[i] != '(') {
            continue;
        }
        const std::size_t close = bytes.find_first_of(")\n", i);
        if (close == std::string_view::npos || bytes[close] != ')') {
            continue;
        }
        const std::string_view inside = bytes.substr(i + 1, close - i - 1);
        bool blank = false;
        std::string squeezed;
        for (const char c : inside) {
            if (c == ' ' || c == '\t') {
                blank = true;
            } else {
                squeezed += c;
            }
        }
        // A value with text on both sides of a blank; blanks at its edges change nothing that
        // the catalogue's reader sees.
        const std::size_t first = inside.find_first_not_of(" \t");
        const std::size_t last = inside.find_last_not_of(" \t");
        if (blank && first != std::string_view::npos &&
            inside.substr(first, last - first + 1).find_first_of(" \t") != std::string_view::npos) {
            std::size_t start = i;
            while (start > 0 && IsWordCharacter(bytes[start - 1])) {
                --start;
            }
            const std::string name = platform::Cp1252ToUtf8(bytes.substr(start, i - start));
            warnings.push_back({"catalogue-blanks-removed",
                                "Texturkatalog, Zeile " + std::to_string(line) + ": \"" + name +
                                    "(" + platform::Cp1252ToUtf8(inside) +
                                    ")\" wird beim Speichern zu \"" + name + "(" +
                                    platform::Cp1252ToUtf8(squeezed) + ")\"."});
        }
        i = close;
    }
    return warnings;
}

std::optional<PreviewWarning> MarkerOutsideBlock(std::size_t line, std::int32_t id,
                                                 const catalogue::MergeResult& merge) {
    if (merge.action != catalogue::MergeAction::kReplaced &&
        merge.action != catalogue::MergeAction::kRemoved) {
        return std::nullopt;
    }
    const std::string marker = catalogue::IdMarker(id);
    const std::string where =
        "Skript, Zeile " + std::to_string(line) + ": Textur " + std::to_string(id) + " ";
    if (merge.oldBlock.empty()) {
        return std::nullopt;  // a replacement never cuts anything: only its place is known
    }
    const std::size_t at = merge.oldBlock.find(marker);
    if (at == std::string::npos) {
        return PreviewWarning{"catalogue-marker-outside",
                              where + "ersetzt einen Block, in dem \"" + marker +
                                  "\" nicht steht: die Kennung steht hinter seinem Ende."};
    }
    if (at > 0 && IsWordCharacter(merge.oldBlock[at - 1])) {
        return PreviewWarning{"catalogue-marker-in-word",
                              where + "wird an einer Stelle eingetragen, an der \"" + marker +
                                  "\" Teil eines längeren Wortes ist."};
    }
    const std::optional<std::string> own = FirstMarker(merge.oldBlock);
    if (own && *own != marker) {
        return PreviewWarning{"catalogue-marker-other-block",
                              where + "ersetzt den Block mit \"" + platform::Cp1252ToUtf8(*own) +
                                  "\", in dem \"" + marker + "\" nur weiter hinten vorkommt."};
    }
    return std::nullopt;
}

bool HasOuterBraces(std::string_view text) {
    const std::size_t open = text.find_first_not_of(" \t\r\n");
    if (open == std::string_view::npos || text[open] != '{') {
        return false;
    }
    int depth = 0;
    for (std::size_t i = open; i < text.size(); ++i) {
        if (text[i] == '{') {
            ++depth;
        } else if (text[i] == '}' && --depth == 0) {
            return text.find('}', i + 1) == std::string_view::npos;
        }
    }
    return false;
}

}  // namespace quorvel::app::preview
