#include "app/check/StructureFindings.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "app/check/ScriptSections.h"
#include "platform/Cp1252.h"
#include "platform/Utf8.h"

namespace quorvel::app::check {

namespace {

constexpr std::size_t kLongestQuote = 60;

bool IsWhitespace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool HasHighBytes(std::string_view bytes) {
    return std::any_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

bool IsValidUtf8(std::string_view bytes) {
    for (std::size_t index = 0; index < bytes.size();) {
        if (!platform::DecodeUtf8(bytes, &index)) {
            return false;
        }
    }
    return true;
}

// UTF-16 with its byte-order mark, or without one but with a NUL byte in every other place.
bool LooksLikeUtf16(std::string_view bytes) {
    if (bytes.starts_with("\xff\xfe") || bytes.starts_with("\xfe\xff")) {
        return true;
    }
    const std::size_t nuls = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\0'));
    return bytes.size() >= 4 && nuls * 3 >= bytes.size();
}

std::string ToUpper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        c = static_cast<char>(platform::Cp1252ToUpper(static_cast<unsigned char>(c)));
    }
    return upper;
}

std::size_t EditDistance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        row[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// The section a name was probably meant to be: equal but for case, or two typing slips away.
std::string_view LikelySection(std::string_view name) {
    for (std::string_view section : kSections) {
        if (ToUpper(name) == ToUpper(section) || EditDistance(name, section) <= 2) {
            return section;
        }
    }
    return {};
}

bool OpensBlock(const ScriptOutline& outline, const ScriptName& name) {
    return name.end < outline.Chars().size() && outline.Chars()[name.end].value == '{';
}

void CheckName(const ScriptOutline& outline, const ScriptName& name,
               std::vector<std::string_view>& seen, Findings& findings) {
    if (!OpensBlock(outline, name) || name.text.empty()) {
        return;
    }
    for (std::string_view section : kSections) {
        if (name.text == section) {
            if (std::find(seen.begin(), seen.end(), section) != seen.end()) {
                AddWarning(findings, name.line, "section-duplicate",
                           "Der Abschnitt \"" + std::string(section) +
                               "\" steht hier ein zweites Mal; der Installer liest nur den ersten "
                               "und übergeht diesen.");
            }
            seen.push_back(section);
            return;
        }
        if (name.text.size() > section.size() && name.text.ends_with(section)) {
            const std::size_t sectionStart = name.end - section.size();
            AddError(findings, outline.Chars()[sectionStart].line, "section-hidden",
                     "Vor dem Abschnittsnamen \"" + std::string(section) + "\" steht \"" +
                         Quoted(outline.RawText(name.first, sectionStart)) + "\" (ab Zeile " +
                         std::to_string(name.line) +
                         "); der Installer liest beides als einen Namen und findet den "
                         "Abschnitt nicht. Text außerhalb der Abschnitte ist nicht erlaubt.");
            return;
        }
    }
    const std::string_view likely = LikelySection(name.text);
    if (!likely.empty()) {
        AddWarning(findings, name.line, "section-name-misspelt",
                   "Der Abschnitt \"" + Quoted(name.text) +
                       "\" ist keiner, den der Installer liest; gemeint ist wohl \"" +
                       std::string(likely) + "\" (Groß- und Kleinschreibung zählen).");
    }
}

void CheckSectionBody(const ScriptOutline& outline, const ScriptName& name, Findings& findings) {
    const ScriptSection section = outline.SectionAfter(name);
    const std::string quotedName = "\"" + name.text + "\"";
    if (!section.bodyOpened) {
        AddError(findings, name.line, "section-brace-missing",
                 "Nach dem Abschnittsnamen " + quotedName + " fehlt \"{\"" +
                     (section.dropped ? " (dort steht \"" +
                                            Quoted(std::string(1, section.dropped->value)) + "\")"
                                      : std::string()) +
                     "; der Installer überliest das erste Zeichen danach.");
    }
    switch (section.end) {
        case SectionEnd::kOtherText:
            AddError(findings, section.endChar->line, "section-ended-early",
                     "\"" + Quoted(std::string(1, section.endChar->value)) +
                         "\" steht zwischen den Einträgen des Abschnitts " + quotedName +
                         " und beendet ihn hier; was danach folgt, liest der Installer nicht. "
                         "Zwischen den Einträgen ist nur Leerraum erlaubt; jeder Eintrag steht in "
                         "\"{\" und \"}\".");
            break;
        case SectionEnd::kEntryCutOff:
            AddError(findings, section.entries.back().line, "entry-cut-off",
                     "Der Eintrag wird vor dem Ende des Skripts nicht mehr geschlossen; der "
                     "Installer liest ihn nicht.");
            break;
        case SectionEnd::kClosingBrace:
        case SectionEnd::kEndOfScript:
            break;
    }
}

void CheckBraces(const ScriptOutline& outline, Findings& findings) {
    std::vector<std::size_t> openLines;
    bool reportedExtra = false;
    for (const ScriptChar& c : outline.Chars()) {
        if (c.value == '{') {
            openLines.push_back(c.line);
        } else if (c.value == '}') {
            if (!openLines.empty()) {
                openLines.pop_back();
            } else if (!reportedExtra) {
                reportedExtra = true;
                AddError(findings, c.line, "braces-unbalanced",
                         "Diese \"}\" schließt keine \"{\"; der Installer nimmt sie als Ende eines "
                         "Abschnitts oder eines Namens.");
            }
        }
    }
    if (!openLines.empty()) {
        AddError(findings, openLines.front(), "braces-unbalanced",
                 "Die \"{\" dieser Zeile wird nie geschlossen (" +
                     std::to_string(openLines.size()) +
                     (openLines.size() == 1 ? " Klammer fehlt" : " Klammern fehlen") +
                     "); der Installer liest alles danach als ihren Inhalt.");
    }
}

}  // namespace

std::string Quoted(std::string_view cp1252) {
    std::string collapsed;
    for (char c : cp1252) {
        if (IsWhitespace(c)) {
            if (!collapsed.empty() && collapsed.back() != ' ') {
                collapsed.push_back(' ');
            }
        } else {
            collapsed.push_back(c);
        }
    }
    if (!collapsed.empty() && collapsed.back() == ' ') {
        collapsed.pop_back();
    }
    if (collapsed.size() > kLongestQuote) {
        collapsed = collapsed.substr(0, kLongestQuote) + "...";
    }
    return platform::Cp1252ToUtf8(collapsed);
}

Findings CheckEncoding(std::string_view fileBytes, const ScriptOutline& outline) {
    Findings findings;
    if (LooksLikeUtf16(fileBytes)) {
        AddError(findings, std::nullopt, "script-utf16",
                 "InstSkript.txt ist als UTF-16 (\"Unicode\") gespeichert; der Installer liest "
                 "Windows-1252 und findet darin keinen Abschnitt. Bitte als ANSI (Windows-1252) "
                 "speichern.");
        return findings;
    }
    const std::string_view text = outline.Text();
    if (!HasHighBytes(text) || !IsValidUtf8(text)) {
        return findings;
    }
    // Each line with such a name, as the installer will spell it.
    std::size_t lineStart = 0;
    for (std::size_t line = 1; lineStart < text.size(); ++line) {
        const std::size_t lineEnd = std::min(text.find('\n', lineStart), text.size());
        const std::string_view content = text.substr(lineStart, lineEnd - lineStart);
        if (HasHighBytes(content)) {
            std::string asWritten;
            std::copy_if(content.begin(), content.end(), std::back_inserter(asWritten),
                         [](char c) { return !IsWhitespace(c); });
            AddWarning(findings, line, "script-utf8",
                       "InstSkript.txt ist als UTF-8 gespeichert; der Installer liest "
                       "Windows-1252 und macht aus \"" +
                           std::string(content.substr(0, std::min(content.size(), kLongestQuote))) +
                           "\" die Namen \"" + Quoted(asWritten) +
                           "\". Bitte als ANSI (Windows-1252) speichern.");
        }
        lineStart = lineEnd + 1;
    }
    return findings;
}

Findings CheckStructure(const ScriptOutline& outline) {
    Findings findings;
    std::vector<std::string_view> seen;
    for (const ScriptName& name : outline.Names()) {
        CheckName(outline, name, seen, findings);
    }
    for (std::string_view section : kSections) {
        if (const ScriptName* name = outline.Find(section)) {
            CheckSectionBody(outline, *name, findings);
        }
    }
    CheckBraces(outline, findings);
    if (outline.Find(kTextureSection) == nullptr) {
        AddWarning(findings, std::nullopt, "texture-section-missing",
                   "Das Skript hat keinen Abschnitt \"Texturskript\"; der Installer meldet dann "
                   "am Ende einen Fehler, auch wenn jede Datei kopiert wurde. Mit einem leeren "
                   "Abschnitt \"Texturskript{}\" schreibt er den Texturkatalog nur neu.");
    }
    std::stable_sort(findings.begin(), findings.end(), [](const Finding& a, const Finding& b) {
        return a.line.value_or(0) < b.line.value_or(0);
    });
    return findings;
}

}  // namespace quorvel::app::check
