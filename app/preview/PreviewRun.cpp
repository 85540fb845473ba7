#include "app/preview/PreviewRun.h"

#include "app/preview/CatalogueWarnings.h"
#include "app/preview/PreviewHost.h"
#include "app/preview/PreviewRecorder.h"
#include "engine/PackageInstaller.h"
#include "platform/Cp1252.h"
#include "platform/WholeFile.h"

namespace quorvel::app::preview {

namespace {

using platform::ReadWholeFile;

// What the run's events cannot say: why the texture stage never reached the catalogue, and what
// the catalogue's save changes in it.
void AddStageWarnings(platform::Host& machine, const PackageInstaller& installer,
                      const PreviewRecorder& recorder, Preview& preview) {
    if (!machine.OpenFileForRead(installer.InstallerDir() + "\\InstSkript.txt").IsValid()) {
        preview.warnings.push_back({"script-missing",
                                    "Das Installationsskript InstSkript.txt fehlt oder ist nicht "
                                    "lesbar: nichts wird installiert."});
        return;
    }
    const std::string catalogue = platform::Cp1252ToUtf8(installer.CataloguePath());
    if (!recorder.LockTried()) {
        preview.warnings.push_back(
            {"texture-section-missing",
             "Das Skript hat keinen Abschnitt \"Texturskript\": die Installation meldet einen "
             "Fehler, auch wenn jede Datei kopiert wurde."});
    } else if (!recorder.LockTaken()) {
        preview.warnings.push_back(
            {"catalogue-missing",
             "Der Texturkatalog " + catalogue + " fehlt: keine Textur wird eingetragen."});
    } else if (recorder.LoadedCatalogue().empty()) {
        preview.warnings.push_back(
            {"catalogue-unreadable", "Der Texturkatalog " + catalogue +
                                         " ist nicht lesbar oder wird nicht zusammengeführt: "
                                         "keine Textur wird eingetragen."});
    } else if (const std::optional<std::string> bytes =
                   preview.catalogue ? ReadWholeFile(machine, recorder.LoadedCatalogue())
                                     : std::nullopt) {
        for (PreviewWarning& warning : BlanksInValues(*bytes)) {
            preview.warnings.push_back(std::move(warning));
        }
    }
}

}  // namespace

std::optional<Preview> PreviewInstall(platform::Host& machine) {
    PreviewHost host(machine);
    Preview preview;
    PreviewRecorder recorder(host, preview);
    PackageInstaller installer(host, recorder);
    if (!Succeeded(installer.LookupTarget())) {
        return std::nullopt;
    }
    preview.target = installer.TargetDir();
    preview.succeeded = Succeeded(installer.Install());
    preview.catalogue = host.SavedContent();
    AddStageWarnings(machine, installer, recorder, preview);
    return preview;
}

}  // namespace quorvel::app::preview
