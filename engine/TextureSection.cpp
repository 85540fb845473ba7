// The texture section: the script's definitions replace the catalogue's blocks of the same id
// or are inserted in id order, and the catalogue is written back in normalised form.
#include <string>

#include "catalogue/CatalogueEncoding.h"
#include "catalogue/IdNumber.h"
#include "engine/CatalogueLock.h"
#include "engine/PackageInstaller.h"
#include "script/EntryParts.h"

namespace quorvel {

namespace {
constexpr const char* kTextureSection = "Texturskript";
}  // namespace

bool PackageInstaller::MergeTextures() {
    if (!scriptReader.FindSection(kTextureSection)) {
        return false;
    }
    // Held until the catalogue is saved, or the stage has failed.
    bool waited = false;
    platform::Result<platform::UniqueFile> lock =
        LockCatalogue(host_, cataloguePath, catalogueLockWait_, &waited);
    events_.Observe(run::CatalogueLocked{CatalogueLockPath(cataloguePath),
                                         lock ? platform::ErrorCode::kSuccess : lock.Error(),
                                         waited});
    if (!lock) {
        return false;  // another run kept it too long, or the folder is not there
    }
    if (!LoadCatalogue()) {
        return false;
    }
    std::string entry;
    while (scriptReader.NextEntry(entry)) {
        if (!MergeTextureEntry(entry, scriptReader.EntryLine())) {
            // The catalogue offers the definition no place: it is not written at all, so no
            // half-merged catalogue reaches the disk.
            return false;
        }
    }
    return SaveCatalogue();
}

bool PackageInstaller::MergeTextureEntry(const std::string& entry, std::size_t line) {
    const std::optional<EntryParts> parts = SplitEntry(entry);
    if (!parts) {
        events_.Observe(run::EntryPassedOver{kTextureSection, line, entry});
        return true;  // not a texture entry: passed over
    }
    const std::int32_t id = catalogue::ReadLeadingNumber(parts->before);
    run::TextureMerged merged{line, id, catalogueText.Merge(id, parts->after)};
    const bool placed = merged.result.action != catalogue::MergeAction::kNoPlace;
    events_.Observe(merged);
    return placed;
}

bool PackageInstaller::LoadCatalogue() {
    std::optional<catalogue::TextureCatalogue> loaded =
        catalogue::TextureCatalogue::Load(host_, cataloguePath);
    if (!loaded) {
        return false;  // the catalogue in memory stays as it was; nothing is created
    }
    catalogueText = std::move(*loaded);
    events_.Observe(run::CatalogueLoaded{cataloguePath, catalogueText.Text()});
    return true;
}

bool PackageInstaller::SaveCatalogue() {
    // Never cut in place: the old catalogue stays whole until the new one replaces it, and any
    // failure (write-protected file, full disk, missing folder) leaves it byte for byte.
    const std::string bytes = catalogueText.FileBytes();
    if (!catalogue::IsMergeableCatalogue(bytes)) {
        // A definition with a NUL byte, or one that put a byte-order mark in front: the next
        // run would refuse the file, so it is not written.
        events_.Observe(run::CatalogueSaved{cataloguePath, false});
        return false;
    }
    events_.Observe(run::CatalogueSaving{cataloguePath, bytes});
    const bool saved = IsSuccess(host_.ReplaceFileContent(cataloguePath, bytes));
    events_.Observe(run::CatalogueSaved{cataloguePath, saved});
    return saved;
}

std::int32_t PackageInstaller::LastTextureId() const {
    return catalogueText.LastTextureId();
}

std::size_t PackageInstaller::LocateTexture(std::int32_t id, std::int32_t last, bool remove) {
    return catalogueText.LocateTexture(id, last, remove);
}

std::size_t PackageInstaller::FindBlockEnd(std::size_t from) const {
    return catalogueText.FindBlockEnd(from);
}

}  // namespace quorvel
