// The history of one install run, written while the run goes: an observer of its events that
// records each change before it happens (write-ahead) and keeps what a replacement would
// destroy: the replaced file under a second name (a hard link, else a copy) and the catalogue's
// bytes before the save. A run that changes nothing leaves no record; one whose history cannot
// be written goes on without it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "app/history/FileState.h"
#include "app/history/HistoryLog.h"
#include "engine/RunEvents.h"
#include "platform/FileKeeping.h"
#include "platform/Host.h"

namespace quorvel::app::history {

class HistoryRecorder final : public RunObserver {
public:
    // `target`: Trassimo's folder with its trailing backslash; `package`: the package folder.
    HistoryRecorder(platform::Host& host, std::string target, std::string package);
    // Writes what is still held (a run that ends without Finish).
    ~HistoryRecorder();
    HistoryRecorder(const HistoryRecorder&) = delete;
    HistoryRecorder& operator=(const HistoryRecorder&) = delete;

    void Observe(const RunEvent& event) override;
    // The run's result, as the last record.
    void Finish(bool succeeded);

    // Why the history stopped being written (German, UTF-8); nothing while it is written.
    const std::optional<std::string>& Problem() const { return problem_; }

private:
    // Makes the install's folder and its first records, before the run's first change; false
    // when that fails.
    bool Start();
    // Started now or before, and still written.
    bool Started();
    void Write(const Record& record, bool lasting);
    // A record of a change that happened already: held, and written with the next record, which
    // comes before the next change, or at the end. A kill in between loses it as a kill
    // between the change and its record would, which the undo knows to handle; the copy of a
    // small file costs one call fewer.
    void WriteAfterTheChange(const Record& record);
    void Stop(const std::string& why);
    bool Writing() const { return log_.IsOpen() && !problem_; }
    // A second name for `path` in the install's folder, else a copy; false when neither works.
    bool Keep(const std::string& path, const std::string& name);

    void OnFolderCreating(const std::string& folder);
    // True when the destination holds the source's bytes and time already, and is not
    // write-protected: the copy leaves it as it is.
    bool HoldsTheCopyAlready(const run::FileCopying& copying);
    void OnFileCopying(const run::FileCopying& copying);
    void OnFileCopied(const run::FileCopied& copied);
    // The size, time and hash of what a copy left at `destination`.
    std::optional<FileState> StateOfCopy(const std::string& destination);
    void OnTextureMerged(const run::TextureMerged& merged);
    void OnCatalogueSaving(const run::CatalogueSaving& saving);

    platform::Host& host_;
    std::string target_;
    std::string package_;
    std::string folder_;  // this install's folder
    FileReader reader_;
    platform::AppendOnlyFile log_;
    bool started_ = false;
    std::vector<Record> pending_;  // what happened before the first change
    std::uint64_t backups_ = 0;
    // Folders that were there when the run meant to create them: the run asks for the
    // folder of every file it copies.
    std::unordered_set<std::string> foldersSeen_;
    std::optional<std::string> unchangedDestination_;  // of the copy under way, if it is one
    std::optional<std::string> problem_;
    std::string heldLine_;  // the record WriteAfterTheChange holds
};

}  // namespace quorvel::app::history
