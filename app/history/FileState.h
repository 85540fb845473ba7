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

// Reads files through the host, with buffers kept from one file to the next: a run reads
// thousands of files, and a buffer made anew for each costs more than reading a small one.
class FileReader {
public:
    explicit FileReader(platform::Host& host) : host_(host) {}

    // The state of the file `path`; nothing when it cannot be opened or read.
    std::optional<FileState> State(const std::string& path, bool withHash);

    // True when both files can be read and hold the same bytes.
    bool HoldSameBytes(const std::string& first, const std::string& second);

private:
    platform::Host& host_;
    std::string first_;  // each made at its first use
    std::string second_;
};

// The state of the file `path`, read with buffers of its own.
std::optional<FileState> ReadFileState(platform::Host& host, const std::string& path,
                                       bool withHash);

// The hash of bytes in memory, as ReadFileState computes it for a file.
std::uint64_t HashOfBytes(std::string_view bytes);

}  // namespace quorvel::app::history
