#include "app/history/FileState.h"

#include <xxhash.h>

#include <algorithm>
#include <string>

namespace quorvel::app::history {

namespace {

constexpr std::size_t kReadPiece = 256 * 1024;

// Reads until `wanted` bytes of `piece` are filled or the file ends; the count read, or nothing
// at an error.
std::optional<std::size_t> ReadPiece(const platform::UniqueFile& file, std::string& piece,
                                     std::size_t wanted) {
    std::size_t filled = 0;
    while (filled < wanted) {
        const platform::Result<std::size_t> read =
            platform::ReadFromFile(file, piece.data() + filled, wanted - filled);
        if (!read) {
            return std::nullopt;
        }
        if (*read == 0) {
            break;
        }
        filled += *read;
    }
    return filled;
}

void MakeBuffer(std::string& buffer) {
    if (buffer.empty()) {
        buffer.resize(kReadPiece);
    }
}

}  // namespace

std::optional<FileState> FileReader::State(const std::string& path, bool withHash) {
    if (!withHash) {
        const platform::Result<platform::FileSizeAndTime> facts = host_.QueryFileSizeAndTime(path);
        if (!facts) {
            return std::nullopt;
        }
        return FileState{facts->size, facts->lastWrite, std::nullopt};
    }
    const platform::UniqueFile file = host_.OpenFileForRead(path);
    if (!file.IsValid()) {
        return std::nullopt;
    }
    const platform::Result<platform::FileSizeAndTime> facts = platform::GetFileSizeAndTime(file);
    if (!facts) {
        return std::nullopt;
    }
    FileState state{facts->size, facts->lastWrite, std::nullopt};
    XXH64_state_t hash{};
    if (XXH64_reset(&hash, 0) != XXH_OK) {
        return std::nullopt;
    }
    MakeBuffer(first_);
    // The bytes that the size counts, so that no read is spent to find the end. A file changed
    // while it is read has a size or hash that no longer matches it, as the next change would.
    for (std::uint64_t left = state.size; left > 0;) {
        const std::size_t wanted =
            static_cast<std::size_t>(std::min<std::uint64_t>(left, first_.size()));
        const std::optional<std::size_t> read = ReadPiece(file, first_, wanted);
        if (!read) {
            return std::nullopt;
        }
        XXH64_update(&hash, first_.data(), *read);
        if (*read < wanted) {
            break;
        }
        left -= *read;
    }
    state.hash = XXH64_digest(&hash);
    return state;
}

bool FileReader::HoldSameBytes(const std::string& first, const std::string& second) {
    const platform::UniqueFile a = host_.OpenFileForRead(first);
    const platform::UniqueFile b = host_.OpenFileForRead(second);
    if (!a.IsValid() || !b.IsValid()) {
        return false;
    }
    const platform::Result<std::uint64_t> size = platform::GetFileSize(a);
    const platform::Result<std::uint64_t> otherSize = platform::GetFileSize(b);
    if (!size || !otherSize || *size != *otherSize) {
        return false;
    }
    MakeBuffer(first_);
    MakeBuffer(second_);
    for (;;) {
        const std::optional<std::size_t> readA = ReadPiece(a, first_, first_.size());
        const std::optional<std::size_t> readB = ReadPiece(b, second_, second_.size());
        if (!readA || !readB || *readA != *readB ||
            first_.compare(0, *readA, second_, 0, *readB) != 0) {
            return false;
        }
        if (*readA < first_.size()) {
            return true;
        }
    }
}

std::optional<FileState> ReadFileState(platform::Host& host, const std::string& path,
                                       bool withHash) {
    return FileReader(host).State(path, withHash);
}

std::uint64_t HashOfBytes(std::string_view bytes) {
    return XXH64(bytes.data(), bytes.size(), 0);
}

}  // namespace quorvel::app::history
