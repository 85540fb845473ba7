// The machine an install runs on, as the calls the installer makes of it, shaped like the Win32
// calls. Paths are Windows paths in narrow Windows-1252 text on every host.
//
// The engine is given a Host and touches nothing else: the real machine (MachineHost), a host
// that only pretends to write (the preview), or one a test prepared.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/ErrorCode.h"
#include "platform/Files.h"

namespace quorvel::platform {

// The file a copy left, as the host that made it knows it: what its destination now holds.
struct CopiedFile {
    std::string destination;  // as CopyFileReplacing was given it
    FileSizeAndTime facts;    // the copy's size and last-write time, as the file system keeps them
    std::string_view bytes;   // its whole content, held by the host
};

class Host {
public:
    virtual ~Host() = default;

    // CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING): an existing file opened
    // for reading while others may only read it; an invalid owner when that is not possible.
    virtual UniqueFile OpenFileForRead(const std::string& path) = 0;

    // The size and last-write time of an existing file (of its target, for a link), as
    // GetFileAttributesExA gives them; an error when no file is there (a folder, a device or a
    // FIFO counts as none). By default read from the file opened as above, which also fails
    // for a file this process may not read; a host that can ask by name asks so.
    virtual Result<FileSizeAndTime> QueryFileSizeAndTime(const std::string& path);

    // CreateDirectoryA: creates one directory whose parent exists; kAlreadyExists when the
    // name exists already.
    virtual ErrorCode CreateOneDirectory(const std::string& path) = 0;

    // CopyFileA(source, destination, FALSE): copies the file, replacing an existing
    // destination. The destination is never left half-written: the old file or the new one.
    virtual ErrorCode CopyFileReplacing(const std::string& source,
                                        const std::string& destination) = 0;

    // The file the last CopyFileReplacing left, where its bytes passed through this process
    // (a small file, on a host that copies it so); else nothing, and whoever wants to know
    // reads the destination. Valid until the host's next call.
    virtual const CopiedFile* LastCopiedFile() const { return nullptr; }

    // Whether the existing files `first` and `second` hold the same bytes (false where either
    // cannot be read), where this host compares files itself; else nothing, and whoever wants
    // to know reads them. A host may keep a positive answer for a CopyFileReplacing of
    // `second` onto `first` right after, which then need not read them again while neither
    // has changed.
    virtual std::optional<bool> CompareFileBytes(const std::string& /*first*/,
                                                 const std::string& /*second*/) {
        return std::nullopt;
    }

    // GetFileAttributesA: what `path` is (kFileAttributeDirectory for a folder) and whether it
    // is write-protected (kFileAttributeReadOnly); an error when nothing is there.
    virtual Result<std::uint32_t> QueryFileAttributes(const std::string& path) = 0;

    // SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL); the result is not reported.
    virtual void ResetFileAttributes(const std::string& path) = 0;

    // Replaces the whole content of `path` with `bytes` in one step: written to a temporary
    // file beside it, flushed and moved over the old file, which keeps its attributes. A
    // read-only file is refused. On any failure the old file stays as it was and no temporary
    // file remains.
    virtual ErrorCode ReplaceFileContent(const std::string& path, std::string_view bytes) = 0;

    // CreateFileA(path, ..., OPEN_ALWAYS) and LockFileEx(LOCKFILE_EXCLUSIVE_LOCK |
    // LOCKFILE_FAIL_IMMEDIATELY) of its first byte: the file, created empty when it is not
    // there, with the lock that one process at a time holds; kLockViolation while another does.
    // The lock ends with the handle, also when its process is killed. The Linux host takes the
    // same lock with fcntl, which a Windows program under Wine sees and honours, as Linux
    // programs see Wine's.
    virtual Result<UniqueFile> LockFileExclusively(const std::string& path) = 0;

    // GetModuleFileNameA(NULL, buffer, size): the running installer's full path. Returns the
    // length copied; when the path does not fit, the text is cut and `size` is returned.
    virtual std::uint32_t ModuleFileName(char* buffer, std::uint32_t size) = 0;
};

}  // namespace quorvel::platform
