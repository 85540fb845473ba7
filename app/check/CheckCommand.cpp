#include "app/check/CheckCommand.h"

#include <algorithm>
#include <sstream>

#include "app/VisibleText.h"
#include "app/check/CheckReport.h"
#include "app/check/EntryFindings.h"
#include "app/check/PackageFindings.h"
#include "app/check/ScriptSections.h"
#include "app/check/StructureFindings.h"
#include "app/preview/PreviewRun.h"
#include "platform/Cp1252.h"
#include "platform/FolderListing.h"
#include "platform/WholeFile.h"
#include "script/ScriptOutline.h"

namespace quorvel::app::check {

namespace {

constexpr std::size_t kLargestScript = 16 << 20;
constexpr std::size_t kMostPackageFiles = 200000;
constexpr int kNothingFound = 0;
constexpr int kWarningsOnly = 1;
constexpr int kErrorsFound = 2;

void Append(Findings& to, Findings from) {
    to.insert(to.end(), std::make_move_iterator(from.begin()), std::make_move_iterator(from.end()));
}

// What the install would meet in the Trassimo found: copies that fail, and what the
// catalogue's save would change.
void CheckAgainstTrassimo(platform::Host& machine, Findings& findings, std::ostream& notes) {
    const std::optional<preview::Preview> run = preview::PreviewInstall(machine);
    if (!run) {
        notes << "Kein Trassimo gefunden: die Ziele wurden nicht gegen eine Installation "
                 "geprüft.\n";
        return;
    }
    notes << "Geprüft auch gegen Trassimo in " << platform::Cp1252ToUtf8(run->target) << ".\n";
    for (const preview::FilePreview& file : run->files) {
        if (file.action == preview::FileAction::kFail) {
            AddWarning(findings, file.line, "destination-fails",
                       "In diesem Trassimo scheitert die Kopie nach \"" +
                           platform::Cp1252ToUtf8(file.destination) + "\": " + file.reason);
        }
    }
    for (const preview::PreviewWarning& warning : run->warnings) {
        if (warning.code.starts_with("catalogue-") || warning.code == "texture-no-place") {
            AddWarning(findings, std::nullopt, warning.code, warning.message);
        }
    }
}

}  // namespace

Findings CheckPackage(platform::Host& machine, const std::string& package, bool againstTrassimo,
                      std::ostream& notes) {
    Findings findings;
    const std::optional<std::string> bytes =
        platform::ReadWholeFile(machine, package + "\\InstSkript.txt", kLargestScript);
    if (!bytes) {
        AddError(findings, std::nullopt, "script-missing",
                 "Im Paketordner " + platform::Cp1252ToUtf8(package) +
                     " ist kein lesbares InstSkript.txt (höchstens 16 MiB).");
        return findings;
    }
    const ScriptOutline outline(*bytes);
    Append(findings, CheckEncoding(*bytes, outline));
    if (std::any_of(findings.begin(), findings.end(),
                    [](const Finding& f) { return f.code == "script-utf16"; })) {
        return findings;  // every other finding would follow from that one
    }
    Append(findings, CheckStructure(outline));
    const ScriptEntries entries = ReadEntries(outline, findings);
    Append(findings, CheckFileEntries(entries.files));
    Append(findings, CheckTextureEntries(entries.textures));
    // Without a file section the installer copies nothing: every file would be unused, and
    // the finding about the section says why.
    const std::optional<std::vector<std::string>> files =
        outline.Find(kFileSection) != nullptr ? platform::ListFilesBelow(package, kMostPackageFiles)
                                              : std::nullopt;
    Append(findings, CheckPackageFiles(machine, package, entries.files,
                                       files.value_or(std::vector<std::string>())));
    if (againstTrassimo) {
        CheckAgainstTrassimo(machine, findings, notes);
    }
    // In the order of the script; what concerns the whole package last.
    std::stable_sort(findings.begin(), findings.end(), [](const Finding& a, const Finding& b) {
        return a.line.value_or(SIZE_MAX) < b.line.value_or(SIZE_MAX);
    });
    return findings;
}

int RunCheckCommand(platform::Host& machine, const std::string& package,
                    const CheckRequest& request, std::ostream& out, std::ostream& err) {
    std::ostringstream notes;
    const Findings findings = CheckPackage(machine, package, request.againstTrassimo, notes);
    if (request.json) {
        WriteCheckJson(findings, out);
        err << notes.str();
    } else {
        std::ostringstream text;
        WriteCheckText(findings, text);
        // Names from the package may hold control characters.
        out << VisibleText(text.str()) << VisibleText(notes.str());
    }
    const auto isError = [](const Finding& f) { return f.severity == Severity::kError; };
    if (std::any_of(findings.begin(), findings.end(), isError)) {
        return kErrorsFound;
    }
    return findings.empty() ? kNothingFound : kWarningsOnly;
}

}  // namespace quorvel::app::check
