// What the history records of a file to know it again: its size, last-write time and a hash of
// its bytes (xxHash's XXH64).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Files.h"
#include "platform/Host.h"

namespace quorvel::app::history {

struct FileState {
    std::uint64_t size = 0;
    platform::FileTime lastWrite = 0;
    std::optional<std::uint64_t> hash;  // only when asked for

    bool SameSizeAndTime(const FileState& other) const {
        return size == other.size && lastWrite == other.lastWrite;
    }
};

// The state of the file `path`; nothing when it cannot be opened or read.
std::optional<FileState> ReadFileState(platform::Host& host, const std::string& path,
                                       bool withHash);

// True when both files can be read and hold the same bytes.
bool HoldSameBytes(platform::Host& host, const std::string& first, const std::string& second);

// The hash of bytes in memory, as ReadFileState computes it for a file.
std::uint64_t HashOfBytes(std::string_view bytes);

}  // namespace quorvel::app::history
