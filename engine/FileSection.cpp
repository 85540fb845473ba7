// The file installation section: copies the package's files into Trassimo's directory.
#include <string>
#include <vector>

#include "engine/DestinationPath.h"
#include "engine/PackageInstaller.h"
#include "engine/ScopedHandle.h"
#include "platform/TextRules.h"
#include "script/EntryParts.h"

namespace quorvel {

namespace {
constexpr const char* kFileSection = "Dateinstallation";
// A directory part of this length or less is a drive or too short to be one of Trassimo's.
constexpr std::size_t kShortestDirectory = 3;

bool IsCreatedOrPresent(platform::ErrorCode error) {
    return error == platform::ErrorCode::kSuccess || error == platform::ErrorCode::kAlreadyExists;
}
}  // namespace

bool PackageInstaller::InstallFiles() {
    if (!scriptReader.FindSection(kFileSection)) {
        return true;
    }
    bool allCopied = true;
    std::string entry;
    while (scriptReader.NextEntry(entry)) {
        if (!InstallFileEntry(entry, scriptReader.EntryLine())) {
            allCopied = false;
        }
    }
    return allCopied;
}

void PackageInstaller::ReportCopyFailure(const FileEntryPaths& paths) {
    events_.Observe(run::CopyFailed{paths});
    events_.ReportCopyFailure(paths.source, paths.destination);
}

bool PackageInstaller::InstallFileEntry(const std::string& entry, std::size_t line) {
    const std::optional<EntryParts> parts = SplitEntry(entry);
    if (!parts) {
        events_.Observe(run::EntryPassedOver{kFileSection, line, entry});
        return true;  // not a file entry: passed over
    }
    const FileEntryPaths paths{line, installerDir + '\\' + std::string(parts->before),
                               targetDir + std::string(parts->after)};

    if (!StaysInsideTarget(parts->after)) {
        events_.Observe(run::DestinationRefused{paths});
        ReportCopyFailure(paths);  // nothing is written outside Trassimo's folder
        return false;
    }
    const TimeComparison times = CompareTimes(paths.destination, paths.source);
    if (times.newer) {
        const bool keep = events_.KeepNewerTarget(paths.destination, paths.source);
        events_.Observe(run::NewerTargetAsked{paths, times.destinationTime.value_or(0),
                                              times.sourceTime, keep});
        if (keep) {
            return true;  // the user keeps the existing file
        }
    }
    bool copied = EnsureDirectory(paths.destination);
    if (copied) {
        events_.Observe(run::FileCopying{paths, times.destinationOpened, times.destinationTime,
                                         times.sourceTime});
        copied = IsSuccess(host_.CopyFileReplacing(paths.source, paths.destination));
    }
    if (copied) {
        events_.Observe(run::FileCopied{paths, times.destinationOpened, times.destinationTime,
                                        times.sourceTime});
    } else {
        ReportCopyFailure(paths);
    }
    events_.Observe(run::AttributesResetting{paths.destination});
    host_.ResetFileAttributes(paths.destination);
    return copied;
}

bool PackageInstaller::EnsureDirectory(const std::string& filePath) {
    // Climbs from the file's directory towards the root until a directory exists or can be
    // created, then creates the missing ones from the top down, each with its second attempt.
    // The levels are kept as lengths of the one path, so that a path of many components costs
    // time in proportion to its length and cannot exhaust the stack. A name too long for the
    // system's calls ends the climb at once: no folder above it would make it creatable.
    auto create = [this, &filePath](std::size_t length) {
        const std::string directory = filePath.substr(0, length);
        events_.Observe(run::FolderCreating{directory});
        const platform::ErrorCode error = host_.CreateOneDirectory(directory);
        if (IsSuccess(error)) {
            events_.Observe(run::FolderCreated{directory});
        }
        return error;
    };
    const std::string_view path(filePath);
    std::vector<std::size_t> missing;
    std::size_t length = platform::DirectoryOf(path).size();
    while (true) {
        if (length <= kShortestDirectory) {
            break;  // a drive or too short: nothing is created at this level
        }
        const platform::ErrorCode error = create(length);
        if (IsCreatedOrPresent(error)) {
            if (missing.empty()) {
                return true;
            }
            break;
        }
        if (error == platform::ErrorCode::kFilenameExcedRange) {
            return false;
        }
        const std::string_view directory = path.substr(0, length);
        if (directory.find('\\') == std::string_view::npos) {
            break;  // a bare name has no parent that could be provided
        }
        missing.push_back(length);
        length = platform::DirectoryOf(directory).size();
    }
    bool created = false;
    for (auto level = missing.rbegin(); level != missing.rend(); ++level) {
        created = IsSuccess(create(*level));
    }
    return created;
}

bool PackageInstaller::IsTargetNewer(const std::string& destination, const std::string& source) {
    return CompareTimes(destination, source).newer;
}

PackageInstaller::TimeComparison PackageInstaller::CompareTimes(const std::string& destination,
                                                                const std::string& source) {
    TimeComparison comparison;
    const ScopedHandle target(host_.OpenFileForRead(destination));
    if (!target.IsValid()) {
        return comparison;
    }
    comparison.destinationOpened = true;
    // A package file that cannot be read is never preferred to the file in place.
    const ScopedHandle package(host_.OpenFileForRead(source));
    const platform::Result<platform::FileTime> targetTime = platform::GetLastWriteTime(target);
    if (targetTime) {
        comparison.destinationTime = *targetTime;
    }
    if (!package.IsValid()) {
        comparison.newer = true;
        return comparison;
    }
    if (!targetTime) {
        return comparison;
    }
    const platform::Result<platform::FileTime> packageTime = platform::GetLastWriteTime(package);
    if (!packageTime) {
        comparison.newer = true;
        return comparison;
    }
    comparison.sourceTime = *packageTime;
    comparison.newer = *targetTime > *packageTime;
    return comparison;
}

}  // namespace quorvel
