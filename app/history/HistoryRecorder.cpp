#include "app/history/HistoryRecorder.h"

#include <chrono>
#include <ctime>
#include <string>
#include <type_traits>
#include <utility>

#include "app/history/FileState.h"
#include "app/history/HistoryPlaces.h"
#include "app/history/HistoryRecords.h"
#include "platform/Cp1252.h"

namespace quorvel::app::history {

namespace {

// The folder of an install: its start in UTC to the millisecond, and the steady clock's finest
// digits for runs that start in the same millisecond. Names sort in the order the runs started.
std::string InstallFolderName(std::chrono::system_clock::time_point now) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000;
    std::tm utc{};
#ifdef _WIN32
    gmtime_s(&utc, &seconds);
#else
    gmtime_r(&seconds, &utc);
#endif
    const auto digits = [](long value, std::size_t width) {
        std::string text(width, '0');
        for (std::size_t i = width; i > 0 && value > 0; --i, value /= 10) {
            text[i - 1] = static_cast<char>('0' + value % 10);
        }
        return text;
    };
    const long tick =
        static_cast<long>(std::chrono::steady_clock::now().time_since_epoch().count() % 10000);
    return digits(utc.tm_year + 1900, 4) + digits(utc.tm_mon + 1, 2) + digits(utc.tm_mday, 2) +
           "-" + digits(utc.tm_hour, 2) + digits(utc.tm_min, 2) + digits(utc.tm_sec, 2) + "-" +
           digits(static_cast<long>(millis), 3) + "-" + digits(tick, 4);
}

constexpr std::size_t kMostPendingRecords = 10000;

std::string Number(std::uint64_t value) {
    return std::to_string(value);
}

}  // namespace

HistoryRecorder::HistoryRecorder(platform::Host& host, std::string target, std::string package)
    : host_(host), target_(std::move(target)), package_(std::move(package)), reader_(host) {}

HistoryRecorder::~HistoryRecorder() {
    if (!heldLine_.empty() && Writing()) {
        (void)log_.Append(heldLine_);
    }
}

bool HistoryRecorder::Start() {
    started_ = true;
    const std::string parent = target_ + std::string(kHistoryParent);
    const std::string root = HistoryRoot(target_);
    for (const std::string& folder : {parent, root}) {
        const platform::ErrorCode error = host_.CreateOneDirectory(folder);
        if (!IsSuccess(error) && error != platform::ErrorCode::kAlreadyExists) {
            Stop("Der Ordner " + platform::Cp1252ToUtf8(folder) + " kann nicht angelegt werden");
            return false;
        }
    }
    const auto now = std::chrono::system_clock::now();
    folder_ = root + "\\" + InstallFolderName(now);
    if (!IsSuccess(host_.CreateOneDirectory(folder_)) ||
        !IsSuccess(log_.Open(folder_ + "\\" + std::string(kLogName)))) {
        Stop("Der Verlauf kann in " + platform::Cp1252ToUtf8(root) + " nicht geschrieben werden");
        return false;
    }
    std::vector<Record> before = std::move(pending_);
    Write({std::string(kFormatName), std::string(kFormatVersion)}, false);
    Write({std::string(kInstallRecord), Number(FileTimeOf(now)), package_, target_}, false);
    for (const Record& record : before) {
        Write(record, false);
    }
    return Writing();
}

bool HistoryRecorder::Started() {
    return started_ ? Writing() : Start();
}

void HistoryRecorder::Finish(bool succeeded) {
    if (started_) {
        Write({std::string(kEndRecord), succeeded ? "ok" : "fail"}, true);
    }
}

void HistoryRecorder::Write(const Record& record, bool lasting) {
    if (!started_) {
        // Nothing changed yet: written with the first change. What comes before it (files
        // kept, copies failed) is held only up to a bound, so that memory stays small
        // whatever the package; beyond it the history lists fewer of them.
        if (pending_.size() < kMostPendingRecords) {
            pending_.push_back(record);
        }
        return;
    }
    if (!Writing()) {
        return;
    }
    std::string lines = std::exchange(heldLine_, std::string()) + RecordLine(record);
    if (!IsSuccess(log_.Append(lines)) || (lasting && !IsSuccess(log_.Flush()))) {
        Stop("Der Verlauf kann nicht weitergeschrieben werden (ist der Datenträger voll?)");
    }
}

void HistoryRecorder::WriteAfterTheChange(const Record& record) {
    if (!started_ || !Writing()) {
        return;
    }
    heldLine_ += RecordLine(record);
}

void HistoryRecorder::Stop(const std::string& why) {
    if (!problem_) {
        problem_ = why + "; was diese Installation ändert, lässt sich nicht rückgängig machen.";
    }
}

bool HistoryRecorder::Keep(const std::string& path, const std::string& name) {
    return IsSuccess(platform::LinkFileAs(path, folder_, name)) ||
           IsSuccess(host_.CopyFileReplacing(path, folder_ + "\\" + name));
}

void HistoryRecorder::Observe(const RunEvent& event) {
    if (started_ && !Writing()) {
        return;
    }
    std::visit(
        [this](const auto& happened) {
            using Event = std::decay_t<decltype(happened)>;
            if constexpr (std::is_same_v<Event, run::FolderCreating>) {
                OnFolderCreating(happened.folder);
            } else if constexpr (std::is_same_v<Event, run::FileCopying>) {
                OnFileCopying(happened);
            } else if constexpr (std::is_same_v<Event, run::FileCopied>) {
                OnFileCopied(happened);
            } else if constexpr (std::is_same_v<Event, run::CopyFailed>) {
                Write({std::string(kFailedRecord), happened.entry.destination}, false);
            } else if constexpr (std::is_same_v<Event, run::NewerTargetAsked>) {
                if (happened.kept) {
                    Write({std::string(kKeptRecord), happened.entry.destination}, false);
                }
            } else if constexpr (std::is_same_v<Event, run::DestinationRefused>) {
                Write({std::string(kRefusedRecord), happened.entry.destination}, false);
            } else if constexpr (std::is_same_v<Event, run::TextureMerged>) {
                OnTextureMerged(happened);
            } else if constexpr (std::is_same_v<Event, run::CatalogueSaving>) {
                OnCatalogueSaving(happened);
            } else if constexpr (std::is_same_v<Event, run::CatalogueSaved>) {
                Write({std::string(kCatalogueSavedRecord), happened.saved ? "1" : "0"}, false);
            }
        },
        event);
}

void HistoryRecorder::OnFolderCreating(const std::string& folder) {
    if (foldersSeen_.contains(folder)) {
        return;
    }
    // Only a folder that is not there yet is this run's to remove again. Where the run climbs
    // to make a folder's parents first, it means to create the folder twice, and each time is
    // recorded: the order of the records is the order of the folders made.
    if (host_.QueryFileAttributes(folder)) {
        foldersSeen_.insert(folder);
    } else if (Started()) {
        Write({std::string(kFolderRecord), folder}, false);
    }
}

bool HistoryRecorder::HoldsTheCopyAlready(const run::FileCopying& copying) {
    if (!copying.destinationExists || !copying.destinationTime || !copying.sourceTime ||
        *copying.destinationTime != *copying.sourceTime) {
        return false;
    }
    const platform::Result<std::uint32_t> attributes =
        host_.QueryFileAttributes(copying.entry.destination);
    if (!attributes || (*attributes & platform::kFileAttributeReadOnly) != 0) {
        return false;
    }
    // The host compares them where it can, and then need not read them again for the copy.
    const std::optional<bool> same =
        host_.CompareFileBytes(copying.entry.destination, copying.entry.source);
    return same ? *same : reader_.HoldSameBytes(copying.entry.destination, copying.entry.source);
}

void HistoryRecorder::OnFileCopying(const run::FileCopying& copying) {
    const std::string& destination = copying.entry.destination;
    unchangedDestination_.reset();
    // A copy that changes nothing needs no back-up, and is no change that starts the history;
    // before the history starts it is not held either, so that a run of many such files
    // keeps no memory for them.
    if (HoldsTheCopyAlready(copying)) {
        if (started_) {
            Write({std::string(kSameRecord), destination}, false);
        }
        unchangedDestination_ = destination;
        return;
    }
    if (!Started()) {
        return;
    }
    // The time the copy will give the file (CopyFileA keeps the source's): enough to know the
    // file again when a kill came between the copy and its record.
    // The run reads the source's time only where a destination exists.
    std::optional<platform::FileTime> copyTime = copying.sourceTime;
    if (!copyTime) {
        if (const std::optional<FileState> source = reader_.State(copying.entry.source, false)) {
            copyTime = source->lastWrite;
        }
    }
    const std::string sourceTime = copyTime ? Number(*copyTime) : "";
    const std::optional<FileState> old =
        copying.destinationExists ? reader_.State(destination, false) : std::nullopt;
    if (!old) {
        Write({std::string(kCreateRecord), destination, sourceTime}, false);
        return;
    }
    const platform::Result<std::uint32_t> attributes = host_.QueryFileAttributes(destination);
    const std::string backup = std::string(kBackupPrefix) + Number(++backups_);
    if (!Keep(destination, backup)) {
        Stop("Die Datei " + platform::Cp1252ToUtf8(destination) +
             " kann vor dem Ersetzen nicht gesichert werden");
        return;
    }
    // On the disk before the file is replaced: the back-up is of no use without it.
    Write({std::string(kReplaceRecord), destination, backup, Number(old->size),
           Number(old->lastWrite), Number(attributes ? *attributes : 0), sourceTime},
          true);
}

void HistoryRecorder::OnFileCopied(const run::FileCopied& copied) {
    if (unchangedDestination_ == copied.entry.destination) {
        unchangedDestination_.reset();
        return;
    }
    if (!started_ || !Writing()) {
        return;  // no history is written: the copy is not read again for it
    }
    const std::optional<FileState> now = StateOfCopy(copied.entry.destination);
    if (now) {
        WriteAfterTheChange({std::string(kCopiedRecord), copied.entry.destination,
                             Number(now->size), Number(now->lastWrite), Number(*now->hash)});
    }
}

std::optional<FileState> HistoryRecorder::StateOfCopy(const std::string& destination) {
    // What the copy wrote, where the host kept it, else what the destination holds now.
    const platform::CopiedFile* copy = host_.LastCopiedFile();
    if (copy != nullptr && copy->destination == destination) {
        return FileState{copy->facts.size, copy->facts.lastWrite, HashOfBytes(copy->bytes)};
    }
    return reader_.State(destination, true);
}

void HistoryRecorder::OnTextureMerged(const run::TextureMerged& merged) {
    Write({std::string(kTextureRecord), Number(merged.line), std::to_string(merged.id),
           std::string(MergeActionName(merged.result.action)), merged.result.oldBlock,
           merged.result.newBlock},
          false);
}

void HistoryRecorder::OnCatalogueSaving(const run::CatalogueSaving& saving) {
    if (!Started()) {
        return;
    }
    const std::optional<FileState> old = reader_.State(saving.path, true);
    const std::string after = folder_ + "\\" + std::string(kCatalogueAfter);
    if (!old || !Keep(saving.path, std::string(kCatalogueBefore)) ||
        !IsSuccess(host_.ReplaceFileContent(after, saving.fileBytes))) {
        Stop("Der Texturkatalog kann vor dem Speichern nicht gesichert werden");
        return;
    }
    Write({std::string(kCatalogueRecord), saving.path, std::string(kCatalogueBefore),
           Number(old->size), Number(old->lastWrite), Number(*old->hash),
           std::string(kCatalogueAfter), Number(saving.fileBytes.size()),
           Number(HashOfBytes(saving.fileBytes))},
          true);
}

}  // namespace quorvel::app::history
