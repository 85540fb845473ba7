// A new file with a name of its own in a given folder, for content that is to replace a file
// there in one step: it is renamed over its target when complete, and removed on every other
// path out of its scope, so that a failure leaves neither a half-written target nor itself.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>

#include "platform/posix/UniqueFd.h"

namespace quorvel::platform::posix {

// The mode a Windows program under Wine gives the files it creates: 0666 less the umask, as
// the kernel applies it.
inline constexpr mode_t kNewFileMode = 0666;

class TemporaryFile {
public:
    // Creates the file, open for writing, with `mode` less the umask; see Error().
    TemporaryFile(const std::string& folder, mode_t mode);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool IsOpen() const { return fd_.IsValid(); }
    // The errno value of a failed creation, 0 when the file is open.
    int Error() const { return error_; }
    int Fd() const { return fd_.Get(); }
    const std::string& Path() const { return path_; }

    // Closes the file and renames it to `target`, which it replaces; 0 or an errno value.
    int CommitAs(const std::string& target);

private:
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

}  // namespace quorvel::platform::posix
