#include "app/history/Undo.h"

#include <chrono>
#include <optional>
#include <set>

#include "app/history/FileState.h"
#include "app/history/HistoryLog.h"
#include "app/history/HistoryRecords.h"
#include "catalogue/TextureCatalogue.h"
#include "platform/Cp1252.h"
#include "platform/FileKeeping.h"
#include "platform/TextRules.h"
#include "platform/WholeFile.h"

namespace quorvel::app::history {

namespace {

constexpr std::string_view kUndoSuffix = ".quorvel-undo";

// One destination of the file section as the install changed it.
struct FileChange {
    bool replaced = false;  // a file was there and was kept under `backup`
    std::string destination;
    std::string backup;
    FileState old;
    std::optional<platform::FileTime> sourceTime;  // the time the copy gives the file
    std::optional<FileState> copied;               // what the copy left, with its hash
    bool wasReadOnly = false;  // write-protected before; the run resets that after its copy
};

std::optional<platform::FileTime> TimeField(const Record& record, std::size_t index) {
    if (Field(record, index).empty()) {
        return std::nullopt;
    }
    return NumberField(record, index);
}

std::vector<FileChange> FileChanges(const RecordedInstall& install) {
    std::vector<FileChange> changes;
    for (const Record& record : install.records) {
        const std::string_view kind = record.front();
        if (kind == kCreateRecord) {
            changes.push_back({false, Field(record, 1), "", {}, TimeField(record, 2), {}, false});
        } else if (kind == kReplaceRecord) {
            changes.push_back({true,
                               Field(record, 1),
                               install.folder + "\\" + Field(record, 2),
                               FileState{NumberField(record, 3), NumberField(record, 4), {}},
                               TimeField(record, 6),
                               {},
                               (NumberField(record, 5) & platform::kFileAttributeReadOnly) != 0});
        } else if (kind == kCopiedRecord && !changes.empty() &&
                   changes.back().destination == Field(record, 1)) {
            changes.back().copied =
                FileState{NumberField(record, 2), NumberField(record, 3), NumberField(record, 4)};
        }
    }
    return changes;
}

std::string Shown(const std::string& path) {
    return platform::Cp1252ToUtf8(path);
}

class Undoer {
public:
    Undoer(platform::Host& host, const RecordedInstall& install) : host_(host), install_(install) {}

    UndoOutcome Run() {
        const std::vector<FileChange> changes = FileChanges(install_);
        std::set<std::string> folders;
        for (const FileChange& change : changes) {
            folders.insert(std::string(platform::DirectoryOf(change.destination)));
        }
        for (const std::string& folder : folders) {
            platform::RemoveLeftOvers(folder);  // of the install, if it was killed
        }
        for (auto change = changes.rbegin(); change != changes.rend(); ++change) {
            UndoFile(*change);
        }
        UndoFolders();
        UndoCatalogue();
        if (outcome_.failed.empty()) {
            MarkUndone();
        }
        return outcome_;
    }

private:
    // The file is what the install left there.
    bool IsWhatInstallLeft(const FileChange& change, const FileState& now) {
        if (!change.copied) {
            // Killed between the copy and its record: the copy's time tells.
            return change.sourceTime && now.lastWrite == *change.sourceTime;
        }
        if (!now.SameSizeAndTime(*change.copied)) {
            return false;
        }
        const std::optional<FileState> hashed = ReadFileState(host_, change.destination, true);
        return hashed && hashed->hash == change.copied->hash;
    }

    // Puts the file kept as `backup` back under `destination`, in one step.
    bool Restore(const std::string& backup, const std::string& destination) {
        const std::size_t separator = destination.find_last_of("\\/");
        const std::string folder = destination.substr(0, separator);
        const std::string name = destination.substr(separator + 1) + std::string(kUndoSuffix);
        const std::string temporary = folder + "\\" + name;
        (void)platform::DeleteOneFileAs(folder, name);  // a killed undo's
        if (!IsSuccess(platform::LinkFileAs(backup, folder, name)) &&
            !IsSuccess(host_.CopyFileReplacing(backup, temporary))) {
            return false;
        }
        if (!IsSuccess(platform::MoveReplacing(temporary, destination))) {
            (void)platform::DeleteOneFileAs(folder, name);
            return false;
        }
        return true;
    }

    void UndoFile(const FileChange& change) {
        const std::optional<FileState> now = ReadFileState(host_, change.destination, false);
        if (!now) {
            if (change.replaced && change.copied) {
                outcome_.leftAlone.push_back(Shown(change.destination) +
                                             ": seit der Installation gelöscht, bleibt so.");
            }
            return;  // a created file removed already, or a copy that never happened
        }
        const bool asBefore = change.replaced && now->SameSizeAndTime(change.old);
        const bool asInstalled = IsWhatInstallLeft(change, *now);
        if (asBefore && !(change.copied && asInstalled)) {
            RestoreReadOnly(change);  // never replaced, or brought back already
            return;
        }
        if (!asInstalled) {
            outcome_.leftAlone.push_back(Shown(change.destination) +
                                         ": seit der Installation geändert, bleibt so.");
            return;
        }
        if (!change.replaced) {
            if (!IsSuccess(platform::DeleteOneFile(change.destination))) {
                outcome_.failed.push_back(Shown(change.destination) +
                                          ": kann nicht entfernt werden.");
            }
            return;
        }
        if (install_.forgotten) {
            outcome_.leftAlone.push_back(Shown(change.destination) +
                                         ": die Sicherung ist gelöscht, die Datei bleibt.");
            return;
        }
        if (!Restore(change.backup, change.destination)) {
            outcome_.failed.push_back(Shown(change.destination) +
                                      ": kann nicht zurückgeholt werden.");
            return;
        }
        RestoreReadOnly(change);
    }

    // The file is as it was before the install: write-protected again where it was.
    void RestoreReadOnly(const FileChange& change) {
        if (change.wasReadOnly) {
            (void)platform::SetReadOnly(change.destination, true);
        }
    }

    void UndoFolders() {
        for (auto record = install_.records.rbegin(); record != install_.records.rend(); ++record) {
            if (record->front() != kFolderRecord) {
                continue;
            }
            const std::string& folder = Field(*record, 1);
            if (host_.QueryFileAttributes(folder) &&
                !IsSuccess(platform::RemoveEmptyFolder(folder)) &&
                host_.QueryFileAttributes(folder)) {
                outcome_.leftAlone.push_back(Shown(folder) +
                                             ": der Ordner ist nicht leer und bleibt.");
            }
        }
    }

    void UndoCatalogue() {
        const Record* saved = nullptr;
        for (const Record& record : install_.records) {
            if (record.front() == kCatalogueRecord) {
                saved = &record;
            }
        }
        if (saved == nullptr) {
            return;  // the install never came to save the catalogue
        }
        const std::string& path = Field(*saved, 1);
        platform::RemoveLeftOvers(std::string(platform::DirectoryOf(path)));
        const std::optional<FileState> now = ReadFileState(host_, path, true);
        if (!now || now->hash == NumberField(*saved, 5)) {
            return;  // as it was before the install (or gone, which nothing here can mend)
        }
        if (now->size == NumberField(*saved, 7) && now->hash == NumberField(*saved, 8) &&
            !install_.forgotten) {
            if (!Restore(install_.folder + "\\" + Field(*saved, 2), path)) {
                outcome_.failed.push_back(Shown(path) + ": kann nicht zurückgeholt werden.");
            }
            return;
        }
        UndoTexturesOneByOne(path);
    }

    // The catalogue changed since: each block the install put in is taken out again where it
    // still stands as it went in.
    void UndoTexturesOneByOne(const std::string& path) {
        const std::optional<std::string> bytes = platform::ReadWholeFile(host_, path);
        if (!bytes) {
            outcome_.failed.push_back(Shown(path) + ": nicht lesbar.");
            return;
        }
        std::string text = catalogue::TextureCatalogue::FromFileBytes(*bytes).Text();
        const std::string before = text;
        for (auto record = install_.records.rbegin(); record != install_.records.rend(); ++record) {
            if (record->front() != kTextureRecord) {
                continue;
            }
            const std::string_view action = Field(*record, 3);
            const std::string& oldBlock = Field(*record, 4);
            const std::string& newBlock = Field(*record, 5);
            const std::string texture = "Textur " + Field(*record, 2);
            if (action == MergeActionName(catalogue::MergeAction::kRemoved)) {
                outcome_.leftAlone.push_back(
                    texture +
                    ": der entfernte Block kommt nur mit dem ganzen Katalog zurück, "
                    "und der wurde seither geändert.");
                continue;
            }
            if (action != MergeActionName(catalogue::MergeAction::kReplaced) &&
                action != MergeActionName(catalogue::MergeAction::kInserted) &&
                action != MergeActionName(catalogue::MergeAction::kAppended)) {
                continue;
            }
            const std::size_t at = newBlock.empty() ? std::string::npos : text.find(newBlock);
            if (at == std::string::npos) {
                outcome_.leftAlone.push_back(texture +
                                             ": seit der Installation geändert, bleibt so.");
                continue;
            }
            text.replace(
                at, newBlock.size(),
                action == MergeActionName(catalogue::MergeAction::kReplaced) ? oldBlock : "");
        }
        if (text != before && !IsSuccess(host_.ReplaceFileContent(
                                  path, catalogue::TextureCatalogue(text).FileBytes()))) {
            outcome_.failed.push_back(Shown(path) + ": kann nicht gespeichert werden.");
        }
    }

    void MarkUndone() {
        (void)AppendToLog(host_, install_.folder,
                          {std::string(kUndoneRecord),
                           std::to_string(FileTimeOf(std::chrono::system_clock::now())),
                           std::to_string(outcome_.leftAlone.size())});
    }

    platform::Host& host_;
    const RecordedInstall& install_;
    UndoOutcome outcome_;
};

}  // namespace

UndoOutcome UndoInstall(platform::Host& host, const RecordedInstall& install) {
    return Undoer(host, install).Run();
}

}  // namespace quorvel::app::history
