#include "app/preview/PreviewHost.h"

#include <vector>

#include "platform/Cp1252.h"
#include "platform/PathLimits.h"
#include "platform/TextRules.h"

namespace quorvel::app::preview {

using platform::ErrorCode;

namespace {

constexpr std::string_view kLockSuffix = ".lock";

// The folder that holds `path`, up to its last separator of either kind, as the machine finds
// it (the run's own DirectoryOf stops at backslashes only); empty for a bare name.
std::string_view ParentOf(std::string_view path) {
    std::size_t end = path.size();
    while (end > 0 && !platform::IsPathSeparator(path[end - 1])) {
        --end;
    }
    return end == 0 ? std::string_view() : path.substr(0, end - 1);
}

// Why a file cannot be written over what is there with these attributes.
std::optional<WriteRefusal> RefusalOfExisting(std::uint32_t attributes) {
    if ((attributes & platform::kFileAttributeDirectory) != 0) {
        return WriteRefusal::kDestinationFolder;
    }
    if ((attributes & platform::kFileAttributeReadOnly) != 0) {
        return WriteRefusal::kWriteProtected;
    }
    return std::nullopt;
}

}  // namespace

std::string PathKey(std::string_view path) {
    std::vector<std::string_view> names;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = start;
        while (end < path.size() && !platform::IsPathSeparator(path[end])) {
            ++end;
        }
        const std::string_view name = path.substr(start, end - start);
        if (name == "..") {
            if (names.size() > 1) {
                names.pop_back();  // never above the drive
            }
        } else if (!name.empty() && name != ".") {
            names.push_back(name);
        }
        start = end + 1;
    }
    std::string key;
    for (const std::string_view name : names) {
        if (!key.empty()) {
            key += '\\';
        }
        for (const char c : name) {
            key += static_cast<char>(platform::Cp1252ToUpper(static_cast<unsigned char>(c)));
        }
    }
    return key;
}

const PreviewHost::Written* PreviewHost::Find(const std::string& path) const {
    const auto found = written_.find(PathKey(path));
    return found == written_.end() ? nullptr : &found->second;
}

PreviewHost::Written& PreviewHost::Remember(const std::string& path) {
    return written_[PathKey(path)];
}

ErrorCode PreviewHost::Fail(ErrorCode error, WriteRefusal why) {
    lastRefusal_ = why;
    ++refusals_;
    return error;
}

bool PreviewHost::IsFolder(const std::string& path) {
    // A drive's root ("C:") is named with its backslash.
    const std::string named = path.size() == 2 && path[1] == ':' ? path + "\\" : path;
    const platform::Result<std::uint32_t> attributes = QueryFileAttributes(named);
    return attributes && (*attributes & platform::kFileAttributeDirectory) != 0;
}

platform::UniqueFile PreviewHost::OpenFileForRead(const std::string& path) {
    if (const Written* written = Find(path)) {
        if (written->copiedFrom) {
            return machine_.OpenFileForRead(*written->copiedFrom);
        }
        if (written->folder) {
            return platform::UniqueFile();
        }
    }
    return machine_.OpenFileForRead(path);
}

platform::Result<std::uint32_t> PreviewHost::QueryFileAttributes(const std::string& path) {
    const Written* written = Find(path);
    if (written != nullptr && written->folder) {
        return platform::kFileAttributeDirectory;
    }
    platform::Result<std::uint32_t> attributes =
        written != nullptr && written->copiedFrom
            ? machine_.QueryFileAttributes(*written->copiedFrom)
            : machine_.QueryFileAttributes(path);
    if (attributes && written != nullptr && written->reset) {
        return *attributes & ~platform::kFileAttributeReadOnly;
    }
    return attributes;
}

ErrorCode PreviewHost::CreateOneDirectory(const std::string& path) {
    if (platform::IsTooLongForNarrowCalls(path)) {
        return Fail(ErrorCode::kFilenameExcedRange, WriteRefusal::kPathTooLong);
    }
    if (QueryFileAttributes(path)) {
        return ErrorCode::kAlreadyExists;  // a file of that name too, as on Windows
    }
    const std::string_view parent = ParentOf(path);
    if (parent.empty() || !IsFolder(std::string(parent))) {
        return Fail(ErrorCode::kPathNotFound, WriteRefusal::kFolderMissing);
    }
    Remember(path).folder = true;
    return ErrorCode::kSuccess;
}

ErrorCode PreviewHost::CopyFileReplacing(const std::string& source,
                                         const std::string& destination) {
    for (const std::string* path : {&source, &destination}) {
        if (platform::IsTooLongForNarrowCalls(*path)) {
            return Fail(ErrorCode::kFilenameExcedRange, WriteRefusal::kPathTooLong);
        }
    }
    if (!OpenFileForRead(source).IsValid()) {
        return Fail(ErrorCode::kFileNotFound, WriteRefusal::kSourceMissing);
    }
    if (destination.empty() || platform::IsPathSeparator(destination.back())) {
        return Fail(ErrorCode::kInvalidName, WriteRefusal::kInvalidName);
    }
    if (const ErrorCode refused = RefuseFileAt(destination); !IsSuccess(refused)) {
        return refused;
    }
    if (PathKey(source) == PathKey(destination)) {
        return Fail(ErrorCode::kSharingViolation,
                    WriteRefusal::kSameFile);  // a file copied onto itself
    }
    const Written* fromWritten = Find(source);
    std::string origin =
        fromWritten != nullptr && fromWritten->copiedFrom ? *fromWritten->copiedFrom : source;
    Written& written = Remember(destination);
    written = Written{std::move(origin), false, false};
    return ErrorCode::kSuccess;
}

ErrorCode PreviewHost::RefuseFileAt(const std::string& path) {
    if (const platform::Result<std::uint32_t> attributes = QueryFileAttributes(path)) {
        if (const std::optional<WriteRefusal> why = RefusalOfExisting(*attributes)) {
            return Fail(ErrorCode::kAccessDenied, *why);
        }
    }
    const std::string_view parent = ParentOf(path);
    if (parent.empty() || !IsFolder(std::string(parent))) {
        return Fail(ErrorCode::kPathNotFound, WriteRefusal::kFolderMissing);
    }
    return ErrorCode::kSuccess;
}

void PreviewHost::ResetFileAttributes(const std::string& path) {
    if (QueryFileAttributes(path)) {
        Remember(path).reset = true;
    }
}

ErrorCode PreviewHost::ReplaceFileContent(const std::string& path, std::string_view bytes) {
    if (platform::IsTooLongForNarrowCalls(path)) {
        return Fail(ErrorCode::kFilenameExcedRange, WriteRefusal::kPathTooLong);
    }
    if (const ErrorCode refused = RefuseFileAt(path); !IsSuccess(refused)) {
        return refused;
    }
    savedContent_ = std::string(bytes);
    return ErrorCode::kSuccess;
}

platform::Result<platform::UniqueFile> PreviewHost::LockFileExclusively(const std::string& path) {
    if (platform::IsTooLongForNarrowCalls(path)) {
        return Fail(ErrorCode::kFilenameExcedRange, WriteRefusal::kPathTooLong);
    }
    const std::string_view parent = ParentOf(path);
    if (parent.empty() || !IsFolder(std::string(parent))) {
        return Fail(ErrorCode::kPathNotFound, WriteRefusal::kFolderMissing);
    }
    if (platform::UniqueFile lockFile = OpenFileForRead(path); lockFile.IsValid()) {
        return lockFile;
    }
    if (QueryFileAttributes(path)) {
        return Fail(ErrorCode::kAccessDenied, WriteRefusal::kDestinationFolder);  // there, no file
    }
    const std::string_view name(path);
    if (name.size() > kLockSuffix.size() && name.ends_with(kLockSuffix)) {
        platform::UniqueFile guarded =
            OpenFileForRead(std::string(name.substr(0, name.size() - kLockSuffix.size())));
        if (guarded.IsValid()) {
            return guarded;
        }
    }
    return Fail(ErrorCode::kFileNotFound, WriteRefusal::kNothingToLock);
}

std::uint32_t PreviewHost::ModuleFileName(char* buffer, std::uint32_t size) {
    return machine_.ModuleFileName(buffer, size);
}

}  // namespace quorvel::app::preview
