// Runs part of a test against a full disk, in one of two ways: on a small tmpfs mounted over a
// folder (where the process may mount file systems), or in a child process whose files may not
// grow past a limit (with SIGXFSZ ignored, a write past it fails as on a full disk).
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quorvel::test {

enum class FullDisk { kTmpfs, kFileSizeLimit };

struct DiskLimits {
    std::size_t tmpfsBytes;  // the size of the tmpfs
    std::size_t fileBytes;   // the file-size limit when no tmpfs can be mounted
};

// With kTmpfs: mounts the tmpfs over `hostFolder` (empty, existing), calls `prepare` to fill it,
// runs `body` and gives the texts it returned; nothing when no tmpfs can be mounted. With
// kFileSizeLimit: `prepare` and `body` run in a child under the file-size limit, and the
// texts come back through a pipe.
std::optional<std::vector<std::string>> RunWithFullDisk(
    FullDisk way, const std::string& hostFolder, DiskLimits limits,
    const std::function<void()>& prepare, const std::function<std::vector<std::string>()>& body);

}  // namespace quorvel::test
