// ReplaceFileContent on the host: the new content goes to a new file beside the old one, is
// flushed to the disk and renamed over the old file, and the folder is flushed so that the
// rename lasts; until the rename the old file is untouched, on every failure it stays so.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/MachineHost.h"
#include "platform/posix/FileData.h"
#include "platform/posix/FolderCache.h"
#include "platform/posix/KeptMetadata.h"
#include "platform/posix/ReplaceTarget.h"
#include "platform/posix/TemporaryFile.h"
#include "platform/posix/UniqueFd.h"
#include "platform/posix/Win32Errors.h"

namespace quorvel::platform {

ErrorCode MachineHost::ReplaceFileContent(const std::string& path, std::string_view bytes) {
    posix::ReplaceTarget target;
    if (const ErrorCode error = posix::FindReplaceTarget(path, Folders(), &target);
        !IsSuccess(error)) {
        return error;
    }
    ClearLeftOversOnce(target.folder);
    posix::TemporaryFile replacement = NewContentFor(target);
    if (!replacement.IsOpen()) {
        return posix::Win32ErrorOfErrno(replacement.Error());
    }
    int error = posix::WriteAll(replacement.Fd(), bytes.data(), bytes.size());
    if (error == 0 && target.exists) {
        error = posix::KeepReplacedFileMetadata(replacement.Fd(), target.path, target.status);
    }
    if (error == 0 && ::fsync(replacement.Fd()) != 0) {
        error = errno;
    }
    if (error == 0) {
        error = replacement.CommitAs(target.path);
    }
    if (error != 0) {
        return posix::Win32ErrorOfErrno(error);
    }
    Folders().Wrote(target.path, target.folderFd.Get());
    // The new content is in place; a folder that cannot be flushed changes nothing about that.
    const posix::UniqueFd folder(::open(target.folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.IsValid()) {
        ::fsync(folder.Get());
    }
    return ErrorCode::kSuccess;
}

}  // namespace quorvel::platform
