// The file installation section: copies the package's files into Trassimo's directory.
#include <string>
#include <vector>

#include "app/MessageTable.h"
#include "engine/DestinationPath.h"
#include "engine/PackageInstaller.h"
#include "engine/ScopedHandle.h"
#include "platform/Application.h"
#include "platform/Files.h"

namespace quorvel {

namespace {
constexpr const char* kFileSection = "Dateinstallation";
constexpr const char* kEntrySeparator = ">>";
// A directory part of this length or less is a drive or too short to be one of Trassimo's.
constexpr std::size_t kShortestDirectory = 3;

// The text before the last backslash, or the whole path when it holds none.
std::string DirectoryOf(const std::string& path) {
    const std::size_t lastBackslash = path.rfind('\\');
    return lastBackslash == std::string::npos ? path : path.substr(0, lastBackslash);
}

bool IsCreatedOrPresent(std::uint32_t error) {
    return error == platform::kNoError || error == platform::kErrorAlreadyExists;
}

void ReportCopyFailure(const std::string& source, const std::string& destination) {
    platform::AppMessageBox(platform::FormatText(platform::LoadAppMessage(app::kMessageCopyFailed),
                                                 {source, destination}),
                            platform::kMbOk);
}
}  // namespace

bool PackageInstaller::InstallFiles() {
    if (!scriptReader.FindSection(kFileSection)) {
        return true;
    }
    bool allCopied = true;
    std::string entry;
    while (scriptReader.NextEntry(entry)) {
        if (!InstallFileEntry(entry)) {
            allCopied = false;
        }
    }
    return allCopied;
}

bool PackageInstaller::InstallFileEntry(const std::string& entry) {
    const std::size_t separator = entry.find(kEntrySeparator);
    if (separator == std::string::npos) {
        return true;  // not a file entry: passed over
    }
    const std::string destinationPart = entry.substr(separator + 2);
    const std::string source = installerDir + '\\' + entry.substr(0, separator);
    const std::string destination = targetDir + destinationPart;

    if (!StaysInsideTarget(destinationPart)) {
        ReportCopyFailure(source, destination);  // nothing is written outside Trassimo's folder
        return false;
    }
    if (IsTargetNewer(destination, source)) {
        const std::string question = platform::FormatText(
            platform::LoadAppMessage(app::kMessageTargetNewer), {destination, source});
        if (platform::AppMessageBox(question, platform::kMbYesNo) == platform::kIdYes) {
            return true;  // the user keeps the existing file
        }
    }
    const bool copied =
        EnsureDirectory(destination) && platform::CopyFileReplacing(source, destination);
    if (!copied) {
        ReportCopyFailure(source, destination);
    }
    platform::ResetFileAttributes(destination);
    return copied;
}

bool PackageInstaller::EnsureDirectory(const std::string& filePath) {
    // Climbs from the file's directory towards the root until a directory exists or can be
    // created, then creates the missing ones from the top down, each with its second attempt.
    // The walk is a loop rather than a recursion, so a path of many components cannot exhaust
    // the stack.
    std::vector<std::string> missing;
    std::string directory = DirectoryOf(filePath);
    while (true) {
        if (directory.size() <= kShortestDirectory) {
            break;  // a drive or too short: nothing is created at this level
        }
        if (IsCreatedOrPresent(platform::CreateOneDirectory(directory))) {
            if (missing.empty()) {
                return true;
            }
            break;
        }
        if (directory.find('\\') == std::string::npos) {
            break;  // a bare name has no parent that could be provided
        }
        missing.push_back(directory);
        directory = DirectoryOf(directory);
    }
    bool created = false;
    for (auto level = missing.rbegin(); level != missing.rend(); ++level) {
        created = platform::CreateOneDirectory(*level) == platform::kNoError;
    }
    return created;
}

bool PackageInstaller::IsTargetNewer(const std::string& destination, const std::string& source) {
    const ScopedHandle target(platform::OpenFileForRead(destination));
    if (!target.IsValid()) {
        return false;
    }
    // A package file that cannot be read is never preferred to the file in place.
    const ScopedHandle package(platform::OpenFileForRead(source));
    if (!package.IsValid()) {
        return true;
    }
    platform::FileTime targetTime = 0;
    if (!platform::GetLastWriteTime(target.Get(), &targetTime)) {
        return false;
    }
    platform::FileTime packageTime = 0;
    if (!platform::GetLastWriteTime(package.Get(), &packageTime)) {
        return true;
    }
    return targetTime > packageTime;
}

}  // namespace quorvel
