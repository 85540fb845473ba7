#include "app/preview/PreviewRecorder.h"

#include <type_traits>

#include "app/preview/CatalogueWarnings.h"
#include "platform/Cp1252.h"

namespace quorvel::app::preview {

namespace {

TextureAction TextureActionOf(catalogue::MergeAction action) {
    switch (action) {
        case catalogue::MergeAction::kReplaced:
            return TextureAction::kReplace;
        case catalogue::MergeAction::kInserted:
            return TextureAction::kInsert;
        case catalogue::MergeAction::kAppended:
            return TextureAction::kAppend;
        case catalogue::MergeAction::kRemoved:
            return TextureAction::kRemove;
        case catalogue::MergeAction::kPassedOver:
            return TextureAction::kSkip;
        case catalogue::MergeAction::kNoPlace:
            break;
    }
    return TextureAction::kFail;
}

std::string ReplaceReason(const run::FileCopied& copied) {
    if (!copied.destinationTime || !copied.sourceTime) {
        return "Die vorhandene Datei wird ersetzt.";
    }
    return *copied.destinationTime == *copied.sourceTime
               ? "Die vorhandene Datei ist gleich alt und wird ersetzt."
               : "Die vorhandene Datei ist älter und wird ersetzt.";
}

std::string LineText(std::size_t line) {
    return "Skript, Zeile " + std::to_string(line) + ": ";
}

}  // namespace

bool PreviewRecorder::KeepNewerTarget(const std::string& /*destination*/,
                                      const std::string& /*source*/) {
    return true;  // "Ja": the existing file stays
}

void PreviewRecorder::Add(const FileEntryPaths& entry, FileAction action, std::string reason) {
    preview_.files.push_back(
        {entry.line, entry.source, entry.destination, action, std::move(reason)});
    refusalsSeen_ = host_.Refusals();
}

void PreviewRecorder::Warn(std::string code, std::string message) {
    preview_.warnings.push_back({std::move(code), std::move(message)});
}

std::string PreviewRecorder::FailureReason() const {
    if (host_.Refusals() == refusalsSeen_) {
        return "Der Ordner des Ziels kann nicht angelegt werden.";
    }
    switch (host_.LastRefusal()) {
        case WriteRefusal::kSourceMissing:
            return "Die Datei fehlt im Paket oder ist nicht lesbar.";
        case WriteRefusal::kPathTooLong:
            return "Der Pfad ist länger als 260 Zeichen.";
        case WriteRefusal::kInvalidName:
            return "Das Ziel ist als Ordner geschrieben.";
        case WriteRefusal::kDestinationFolder:
            return "An der Stelle des Ziels steht ein Ordner.";
        case WriteRefusal::kWriteProtected:
            return "Die vorhandene Datei ist schreibgeschützt.";
        case WriteRefusal::kSameFile:
            return "Quelle und Ziel sind dieselbe Datei.";
        case WriteRefusal::kFolderMissing:
        case WriteRefusal::kNothingToLock:
        case WriteRefusal::kNone:
            break;
    }
    return "Der Ordner des Ziels kann nicht angelegt werden.";
}

void PreviewRecorder::Observe(const RunEvent& event) {
    std::visit(
        [this](const auto& happened) {
            using Event = std::decay_t<decltype(happened)>;
            if constexpr (std::is_same_v<Event, run::DestinationRefused>) {
                Add(happened.entry, FileAction::kRefuse,
                    "Das Ziel liegt außerhalb des Trassimo-Ordners.");
            } else if constexpr (std::is_same_v<Event, run::NewerTargetAsked>) {
                Add(happened.entry, FileAction::kAsk,
                    happened.sourceTime
                        ? "Die vorhandene Datei ist neuer; gefragt wird, ob sie bleibt."
                        : "Die Datei des Pakets ist nicht lesbar; gefragt wird, ob die "
                          "vorhandene Datei bleibt.");
            } else if constexpr (std::is_same_v<Event, run::FileCopied>) {
                Add(happened.entry, happened.replaced ? FileAction::kReplace : FileAction::kCreate,
                    happened.replaced ? ReplaceReason(happened) : "Die Datei ist neu.");
            } else if constexpr (std::is_same_v<Event, run::CopyFailed>) {
                const bool refused = !preview_.files.empty() &&
                                     preview_.files.back().action == FileAction::kRefuse &&
                                     preview_.files.back().line == happened.entry.line;
                if (!refused) {
                    Add(happened.entry, FileAction::kFail, FailureReason());
                }
            } else if constexpr (std::is_same_v<Event, run::EntryPassedOver>) {
                Warn("entry-without-arrow",
                     LineText(happened.line) + "Der Eintrag im Abschnitt \"" +
                         std::string(happened.section) + "\" hat kein \">>\" und wird übergangen.");
            } else if constexpr (std::is_same_v<Event, run::CatalogueLocked>) {
                lockTried_ = true;
                lockTaken_ = IsSuccess(happened.error);
            } else if constexpr (std::is_same_v<Event, run::CatalogueLoaded>) {
                loadedCatalogue_ = happened.path;
                catalogueHasOuterBraces_ = HasOuterBraces(happened.text);
            } else if constexpr (std::is_same_v<Event, run::TextureMerged>) {
                const TextureAction action = TextureActionOf(happened.result.action);
                preview_.textures.push_back(
                    {happened.line, happened.id, action, happened.result.beforeId});
                if (std::optional<PreviewWarning> warning =
                        MarkerOutsideBlock(happened.line, happened.id, happened.result)) {
                    preview_.warnings.push_back(std::move(*warning));
                }
                if (action == TextureAction::kAppend && !catalogueHasOuterBraces_) {
                    Warn("catalogue-no-outer-braces",
                         LineText(happened.line) + "Textur " + std::to_string(happened.id) +
                             " landet im letzten Block des Texturkatalogs, denn er hat keine "
                             "äußeren Klammern.");
                }
                if (action == TextureAction::kFail) {
                    Warn("texture-no-place",
                         LineText(happened.line) + "Der Texturkatalog bietet Textur " +
                             std::to_string(happened.id) +
                             " keinen Platz; er wird nicht gespeichert, die übrigen Einträge "
                             "werden nicht mehr gelesen.");
                }
            } else if constexpr (std::is_same_v<Event, run::CatalogueSaved>) {
                if (!happened.saved) {
                    Warn("catalogue-not-saved", "Der Texturkatalog " +
                                                    platform::Cp1252ToUtf8(happened.path) +
                                                    " könnte nicht gespeichert werden.");
                }
            }
        },
        event);
}

}  // namespace quorvel::app::preview
