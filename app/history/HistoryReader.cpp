#include "app/history/HistoryReader.h"

#include <algorithm>
#include <charconv>

#include "app/history/HistoryPlaces.h"
#include "app/history/HistoryRecords.h"
#include "platform/FileKeeping.h"
#include "platform/WholeFile.h"

namespace quorvel::app::history {

namespace {

void Count(RecordedInstall& install) {
    std::string pending;  // the destination of a create or replace not yet copied
    bool pendingReplace = false;
    for (const Record& record : install.records) {
        const std::string_view kind = record.front();
        if (kind == kCreateRecord || kind == kReplaceRecord) {
            pending = Field(record, 1);
            pendingReplace = kind == kReplaceRecord;
            if (pendingReplace) {
                install.backupBytes += NumberField(record, 3);
            }
        } else if (kind == kCopiedRecord && Field(record, 1) == pending) {
            ++(pendingReplace ? install.replaced : install.created);
            pending.clear();
        } else if (kind == kFailedRecord) {
            ++install.failed;
        } else if (kind == kKeptRecord) {
            ++install.kept;
        } else if (kind == kTextureRecord) {
            ++install.textures;
        } else if (kind == kCatalogueRecord) {
            install.backupBytes += NumberField(record, 3);
        } else if (kind == kEndRecord) {
            install.cutOff = false;
        } else if (kind == kUndoneRecord) {
            install.undone = true;
        } else if (kind == kForgottenRecord) {
            install.forgotten = true;
        }
    }
    if (install.forgotten) {
        install.backupBytes = 0;
    }
}

}  // namespace

const std::string& Field(const Record& record, std::size_t index) {
    static const std::string kNone;
    return index < record.size() ? record[index] : kNone;
}

std::uint64_t NumberField(const Record& record, std::size_t index) {
    const std::string& text = Field(record, index);
    std::uint64_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

bool AppendToLog(platform::Host& host, const std::string& folder, const Record& record) {
    const std::string log = folder + "\\" + std::string(kLogName);
    const std::optional<std::string> text = platform::ReadWholeFile(host, log);
    const bool cutOff = text && !text->empty() && text->back() != '\n';
    platform::AppendOnlyFile file;
    return IsSuccess(file.Open(log)) &&
           IsSuccess(file.Append((cutOff ? "\n" : "") + RecordLine(record))) &&
           IsSuccess(file.Flush());
}

std::vector<RecordedInstall> ReadHistory(platform::Host& host, const std::string& target) {
    const std::string root = HistoryRoot(target);
    std::vector<std::string> names =
        platform::FolderNames(root).value_or(std::vector<std::string>());
    std::sort(names.begin(), names.end());
    std::vector<RecordedInstall> installs;
    for (const std::string& name : names) {
        RecordedInstall install;
        install.folder = root + "\\" + name;
        const std::optional<std::string> text =
            platform::ReadWholeFile(host, install.folder + "\\" + std::string(kLogName));
        if (!text) {
            continue;
        }
        ReadLog log = ReadRecords(*text);
        if (log.records.size() < 2 || Field(log.records[0], 0) != kFormatName ||
            Field(log.records[1], 0) != kInstallRecord) {
            continue;  // not a log this program wrote, or cut off before its first change
        }
        install.start = NumberField(log.records[1], 1);
        install.package = Field(log.records[1], 2);
        install.records = std::move(log.records);
        install.cutOff = true;  // until its end record is seen
        Count(install);
        installs.push_back(std::move(install));
    }
    return installs;
}

}  // namespace quorvel::app::history
