#include "app/check/EntryFindings.h"

#include <algorithm>
#include <map>
#include <optional>

#include "app/check/ScriptSections.h"
#include "app/check/StructureFindings.h"
#include "catalogue/IdNumber.h"
#include "engine/DestinationPath.h"
#include "platform/Cp1252.h"
#include "script/EntryParts.h"

namespace quorvel::app::check {

namespace {

constexpr std::string_view kTextureOpening = "Textur{";

std::vector<std::string_view> SplitPath(std::string_view path) {
    std::vector<std::string_view> names;
    std::size_t start = 0;
    while (true) {
        const std::size_t separator = path.find_first_of("\\/", start);
        names.push_back(path.substr(start, separator == std::string_view::npos
                                               ? std::string_view::npos
                                               : separator - start));
        if (separator == std::string_view::npos) {
            return names;
        }
        start = separator + 1;
    }
}

std::string Upper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        c = static_cast<char>(platform::Cp1252ToUpper(static_cast<unsigned char>(c)));
    }
    return upper;
}

// Names that Windows keeps for devices, with any extension: CON, PRN, AUX, NUL, COM1 to COM9
// and LPT1 to LPT9 (also with the superscript digits ¹, ² and ³).
bool IsDeviceName(std::string_view name) {
    const std::string base = Upper(name.substr(0, name.find('.')));
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL") {
        return true;
    }
    if (base.size() != 4 || (base.substr(0, 3) != "COM" && base.substr(0, 3) != "LPT")) {
        return false;
    }
    const unsigned char digit = static_cast<unsigned char>(base[3]);
    return (digit >= '1' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
}

// Why Windows cannot hold a file or folder of this name; nothing when it can.
std::optional<std::string> WhyNotAName(std::string_view name) {
    if (IsDeviceName(name)) {
        return "\"" + Quoted(name) + "\" ist ein Gerätename von Windows";
    }
    for (char c : name) {
        if (std::string_view("<>:\"|?*").find(c) != std::string_view::npos) {
            return "\"" + Quoted(name) + "\" enthält \"" + std::string(1, c) +
                   "\", das Windows in Namen nicht erlaubt";
        }
        if (static_cast<unsigned char>(c) < 0x20) {
            return "\"" + Quoted(name) + "\" enthält ein Steuerzeichen";
        }
    }
    if (name.ends_with('.')) {
        return "\"" + Quoted(name) + "\" endet mit einem Punkt, den Windows entfernt";
    }
    return std::nullopt;
}

std::optional<std::string> WhyNotADestination(std::string_view destination) {
    const std::vector<std::string_view> names = SplitPath(destination);
    if (names.back().empty()) {
        return std::string("das Ziel nennt keine Datei, nur einen Ordner");
    }
    for (std::string_view name : names) {
        if (name.empty() || name == "." || name == "..") {
            continue;
        }
        if (std::optional<std::string> why = WhyNotAName(name)) {
            return why;
        }
    }
    return std::nullopt;
}

// An optional sign and decimal digits whose value fits in 32 bits.
bool IsPlainNumber(std::string_view text) {
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+')) {
        text.remove_prefix(1);
    }
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) {
        return false;
    }
    text.remove_prefix(std::min(text.find_first_not_of('0'), text.size()));
    constexpr std::size_t kLongest = 10;  // 2147483648
    if (text.size() > kLongest) {
        return false;
    }
    std::int64_t value = 0;
    for (char digit : text) {
        value = value * 10 + (digit - '0');
    }
    return value <= (negative ? std::int64_t{2147483648} : std::int64_t{2147483647});
}

}  // namespace

std::string ComparablePath(std::string_view path) {
    std::vector<std::string> kept;
    for (std::string_view name : SplitPath(path)) {
        if (name.empty() || name == ".") {
            continue;
        }
        if (name == "..") {
            if (!kept.empty()) {
                kept.pop_back();
            }
            continue;
        }
        kept.push_back(Upper(name));
    }
    std::string joined;
    for (const std::string& name : kept) {
        joined += (joined.empty() ? "" : "\\") + name;
    }
    return joined;
}

ScriptEntries ReadEntries(const ScriptOutline& outline, Findings& findings) {
    ScriptEntries entries;
    for (std::string_view section : kSections) {
        const ScriptName* name = outline.Find(section);
        if (name == nullptr) {
            continue;
        }
        for (const ScriptEntry& entry : outline.SectionAfter(*name).entries) {
            if (!entry.complete) {
                continue;
            }
            const std::optional<EntryParts> parts = SplitEntry(entry.text);
            if (!parts) {
                AddWarning(findings, entry.line, "separator-missing",
                           "Dem Eintrag \"" + Quoted(entry.text) +
                               "\" fehlt \">>\"; der Installer übergeht ihn.");
                continue;
            }
            if (section == kFileSection) {
                entries.files.push_back(
                    {entry.line, std::string(parts->before), std::string(parts->after)});
            } else {
                entries.textures.push_back(
                    {entry.line, std::string(parts->before), std::string(parts->after)});
            }
        }
    }
    return entries;
}

Findings CheckFileEntries(const std::vector<FileEntry>& entries) {
    Findings findings;
    std::map<std::string, std::size_t> destinations;  // comparable path, line of its first entry
    for (const FileEntry& entry : entries) {
        const std::string shown = "\"" + Quoted(entry.destination) + "\"";
        if (!StaysInsideTarget(entry.destination)) {
            AddError(findings, entry.line, "destination-outside",
                     "Das Ziel " + shown +
                         " liegt nicht im Ordner von Trassimo; der Installer kopiert die Datei "
                         "nicht (\"..\" darf nicht über den Ordner hinausführen).");
            continue;
        }
        if (std::optional<std::string> why = WhyNotADestination(entry.destination)) {
            AddError(
                findings, entry.line, "destination-name-invalid",
                "Das Ziel " + shown + " kann unter Windows nicht angelegt werden: " + *why + ".");
            continue;
        }
        const auto [first, isNew] =
            destinations.emplace(ComparablePath(entry.destination), entry.line);
        if (!isNew) {
            AddWarning(findings, entry.line, "destination-duplicate",
                       "Der Eintrag in Zeile " + std::to_string(first->second) +
                           " hat schon das Ziel " + shown +
                           " (Groß- und Kleinschreibung zählen unter Windows nicht); die spätere "
                           "Kopie ersetzt die frühere.");
        }
    }
    return findings;
}

Findings CheckTextureEntries(const std::vector<TextureEntry>& entries) {
    Findings findings;
    std::map<std::int32_t, std::size_t> ids;  // id, line of its first entry
    for (const TextureEntry& entry : entries) {
        const std::int32_t id = catalogue::ReadLeadingNumber(entry.idText);
        if (!IsPlainNumber(entry.idText)) {
            AddError(findings, entry.line, "texture-id-not-number",
                     "Die Textur-Id \"" + Quoted(entry.idText) +
                         "\" ist keine Zahl (mit 32 Bit); der Installer liest sie als " +
                         std::to_string(id) + ".");
        }
        const std::string marker = catalogue::IdMarker(id);
        if (entry.definition.empty()) {
            AddWarning(findings, entry.line, "definition-empty",
                       "Die Definition ist leer: der Installer entfernt den Block mit \"" + marker +
                           "\" aus dem Texturkatalog.");
        } else {
            if (!entry.definition.starts_with(kTextureOpening)) {
                AddWarning(findings, entry.line, "definition-not-texture",
                           "Die Definition \"" + Quoted(entry.definition) +
                               "\" beginnt nicht mit \"Textur{\"; der Installer fügt sie "
                               "trotzdem so in den Texturkatalog ein.");
            }
            const std::size_t other = entry.definition.find(catalogue::kMarkerOpening);
            if (entry.definition.find(marker) == std::string::npos) {
                const std::optional<std::int32_t> written =
                    other == std::string::npos ? std::nullopt
                                               : catalogue::MarkedIdAt(entry.definition, other);
                AddError(findings, entry.line,
                         other == std::string::npos ? "marker-missing" : "marker-differs",
                         (other == std::string::npos
                              ? "Die Definition enthält kein \"" + marker + "\""
                              : "Die Definition trägt \"" +
                                    (written ? catalogue::IdMarker(*written)
                                             : Quoted(entry.definition.substr(other, 12))) +
                                    "\", der Eintrag aber die Id " + std::to_string(id)) +
                             "; der Installer findet den Block bei der nächsten Installation "
                             "nicht unter dieser Id und fügt ihn dann ein zweites Mal ein.");
            }
        }
        const auto [first, isNew] = ids.emplace(id, entry.line);
        if (!isNew) {
            AddWarning(findings, entry.line, "texture-id-duplicate",
                       "Die Textur-Id " + std::to_string(id) + " stand schon in Zeile " +
                           std::to_string(first->second) +
                           "; dieser Eintrag ersetzt den früheren.");
        }
    }
    return findings;
}

}  // namespace quorvel::app::check
