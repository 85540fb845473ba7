#include "app/check/PackageFindings.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>

#include "app/check/StructureFindings.h"
#include "platform/TextRules.h"

namespace quorvel::app::check {

namespace {

// The installer's own files, which a package carries beside what it installs.
constexpr std::array<std::string_view, 3> kInstallerFiles = {"INSTSKRIPT.TXT", "QUORVEL.EXE",
                                                             "QUORVELKONSOLE.EXE"};

bool IsFile(platform::Host& host, const std::string& path) {
    const platform::Result<std::uint32_t> attributes = host.QueryFileAttributes(path);
    return attributes && (*attributes & platform::kFileAttributeDirectory) == 0;
}

std::string WithoutWhitespace(std::string_view text) {
    std::string kept;
    std::copy_if(text.begin(), text.end(), std::back_inserter(kept),
                 [](char c) { return c != ' ' && (c < '\t' || c > '\r'); });
    return kept;
}

}  // namespace

Findings CheckPackageFiles(platform::Host& host, const std::string& packageFolder,
                           const std::vector<FileEntry>& entries,
                           const std::vector<std::string>& packageFiles) {
    // The package's files by the name the script would have to give them.
    std::map<std::string, std::string> byScriptName;
    for (const std::string& file : packageFiles) {
        byScriptName.emplace(ComparablePath(WithoutWhitespace(file)), file);
    }
    Findings findings;
    std::set<std::string> named;
    for (const FileEntry& entry : entries) {
        const std::string source = ComparablePath(entry.source);
        named.insert(source);
        if (IsFile(host, packageFolder + "\\" + entry.source)) {
            continue;
        }
        std::string message = "Die Quelle \"" + Quoted(entry.source) +
                              "\" fehlt im Paket; der Installer meldet beim Kopieren einen Fehler.";
        const auto withBlanks = byScriptName.find(source);
        if (withBlanks != byScriptName.end()) {
            message += " Im Paket liegt \"" + Quoted(withBlanks->second) +
                       "\": der Installer entfernt jeden Leerraum aus den Namen des Skripts, "
                       "auch innerhalb eines Namens. Bitte die Datei ohne Leerzeichen benennen.";
        }
        AddError(findings, entry.line, "source-missing", std::move(message));
    }
    for (const std::string& file : packageFiles) {
        const std::string comparable = ComparablePath(file);
        const bool installerFile = comparable.find('\\') == std::string::npos &&
                                   std::find(kInstallerFiles.begin(), kInstallerFiles.end(),
                                             comparable) != kInstallerFiles.end();
        if (!installerFile && named.count(comparable) == 0 &&
            named.count(ComparablePath(WithoutWhitespace(file))) == 0) {
            AddWarning(findings, std::nullopt, "file-unused",
                       "Kein Eintrag nennt die Datei \"" + Quoted(file) +
                           "\" des Pakets; der Installer kopiert sie nicht.");
        }
    }
    return findings;
}

}  // namespace quorvel::app::check
