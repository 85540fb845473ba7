#include "app/history/FileState.h"

#include <xxhash.h>

#include <algorithm>
#include <string>

namespace quorvel::app::history {

namespace {

constexpr std::size_t kReadPiece = 1 << 20;

}  // namespace

std::optional<FileState> ReadFileState(platform::Host& host, const std::string& path,
                                       bool withHash) {
    const platform::UniqueFile file = host.OpenFileForRead(path);
    if (!file.IsValid()) {
        return std::nullopt;
    }
    const platform::Result<std::uint64_t> size = platform::GetFileSize(file);
    const platform::Result<platform::FileTime> time = platform::GetLastWriteTime(file);
    if (!size || !time) {
        return std::nullopt;
    }
    FileState state{*size, *time, std::nullopt};
    if (!withHash) {
        return state;
    }
    XXH64_state_t hash{};
    if (XXH64_reset(&hash, 0) != XXH_OK) {
        return std::nullopt;
    }
    // No larger than the file: most files are small, and a large buffer costs its zeroing.
    std::string piece(static_cast<std::size_t>(std::min<std::uint64_t>(*size + 1, kReadPiece)),
                      '\0');
    for (;;) {
        const platform::Result<std::size_t> read =
            platform::ReadFromFile(file, piece.data(), piece.size());
        if (!read) {
            return std::nullopt;
        }
        if (*read == 0) {
            break;
        }
        XXH64_update(&hash, piece.data(), *read);
    }
    state.hash = XXH64_digest(&hash);
    return state;
}

namespace {

// Reads until `piece` is full or the file ends; the count read, or nothing at an error.
std::optional<std::size_t> ReadPiece(const platform::UniqueFile& file, std::string& piece) {
    std::size_t filled = 0;
    while (filled < piece.size()) {
        const platform::Result<std::size_t> read =
            platform::ReadFromFile(file, piece.data() + filled, piece.size() - filled);
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

}  // namespace

bool HoldSameBytes(platform::Host& host, const std::string& first, const std::string& second) {
    const platform::UniqueFile a = host.OpenFileForRead(first);
    const platform::UniqueFile b = host.OpenFileForRead(second);
    if (!a.IsValid() || !b.IsValid()) {
        return false;
    }
    const platform::Result<std::uint64_t> size = platform::GetFileSize(a);
    const platform::Result<std::uint64_t> otherSize = platform::GetFileSize(b);
    if (!size || !otherSize || *size != *otherSize) {
        return false;
    }
    const auto pieceSize = static_cast<std::size_t>(std::min<std::uint64_t>(*size + 1, kReadPiece));
    std::string pieceA(pieceSize, '\0');
    std::string pieceB(pieceSize, '\0');
    for (;;) {
        const std::optional<std::size_t> readA = ReadPiece(a, pieceA);
        const std::optional<std::size_t> readB = ReadPiece(b, pieceB);
        if (!readA || !readB || *readA != *readB ||
            pieceA.compare(0, *readA, pieceB, 0, *readB) != 0) {
            return false;
        }
        if (*readA < pieceSize) {
            return true;
        }
    }
}

std::uint64_t HashOfBytes(std::string_view bytes) {
    return XXH64(bytes.data(), bytes.size(), 0);
}

}  // namespace quorvel::app::history
