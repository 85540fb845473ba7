// A new file in a given folder for content that is to take a name there in one step: it is
// renamed over its target (or, made without a name, linked as the target) when complete, and
// removed on every other path out of its scope, so that a failure leaves neither a
// half-written target nor itself.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <optional>
#include <string>

#include "platform/posix/UniqueFd.h"

namespace quorvel::platform::posix {

// The mode a Windows program under Wine gives the files it creates: 0666 less the umask, as
// the kernel applies it.
inline constexpr mode_t kNewFileMode = 0666;

// How the file is made. kNamed: with a hidden name of its own from the start. kUnnamed: where
// the file system can make a file without a name (O_TMPFILE), without one until CommitAs links
// it as its target, which must not exist yet (should it appear meanwhile, the file takes a
// name of its own and replaces it as a named file does); a run killed before leaves nothing.
// Elsewhere a kUnnamed file is made as kNamed. The name is linked through /proc/self/fd, so
// kUnnamed needs /proc, see CanLinkUnnamedFiles().
enum class TemporaryNaming { kNamed, kUnnamed };

class TemporaryFile {
public:
    // Creates the file, open for writing, with `mode` less the umask; see Error(). `folderFd`,
    // where given, is `folder` opened (O_PATH), which must stay open while this file lives:
    // a file without a name is made and named in its folder through it.
    // `linksByDescriptor`, where given, tells how a run names its unnamed files, learnt at the
    // first one: true by the file's own descriptor (linkat with AT_EMPTY_PATH, which kernels
    // before 6.10 allow privileged programs only), false through /proc/self/fd.
    TemporaryFile(const std::string& folder, mode_t mode,
                  TemporaryNaming naming = TemporaryNaming::kNamed, int folderFd = -1,
                  std::optional<bool>* linksByDescriptor = nullptr);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool IsOpen() const { return fd_.IsValid(); }
    // The errno value of a failed creation, 0 when the file is open.
    int Error() const { return error_; }
    int Fd() const { return fd_.Get(); }
    // Its name, empty while it has none.
    const std::string& Path() const { return path_; }

    // Closes the file and renames it to `target`, which it replaces, or links it as `target`;
    // 0 or an errno value.
    int CommitAs(const std::string& target);

private:
    // Takes a free hidden name in folder_: for a new file `create` opens it, for an unnamed
    // one the name is linked to it. 0 or an errno value.
    int TakeOwnName(mode_t mode, bool create);
    // Links the unnamed file as `target` and closes it; 0 or an errno value (EEXIST when
    // something is there).
    int LinkAs(const std::string& target);
    // Gives the unnamed file the name `path` (relative to the folder `at`); 0 or an errno value.
    int Link(int at, const char* path);

    std::string folder_;
    int folderFd_ = -1;                                 // borrowed
    std::optional<bool>* linksByDescriptor_ = nullptr;  // borrowed
    std::string path_;
    UniqueFd fd_;
    int remembered_ = -1;  // its number for removal on an interruption
    int error_ = 0;
    bool committed_ = false;
};

// Removes from the host folder `folder` the temporary files that a run which was killed left:
// those of this class's naming that no running program holds (each holds a lock on its own
// while it exists) and that nothing wrote to in the last seconds. The number removed.
std::size_t RemoveLeftOverTemporaryFiles(const std::string& folder);

// True when this process can give an unnamed file a name: /proc/self/fd is there to link from.
bool CanLinkUnnamedFiles();

}  // namespace quorvel::platform::posix
