#include "app/history/FileState.h"

#include <xxhash.h>

#include <memory>
#include <string>

namespace quorvel::app::history {

namespace {

constexpr std::size_t kReadPiece = 1 << 20;

struct HashStateDeleter {
    void operator()(XXH3_state_t* state) const { XXH3_freeState(state); }
};

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
    const std::unique_ptr<XXH3_state_t, HashStateDeleter> hash(XXH3_createState());
    if (!hash || XXH3_64bits_reset(hash.get()) != XXH_OK) {
        return std::nullopt;
    }
    std::string piece(kReadPiece, '\0');
    for (;;) {
        const platform::Result<std::size_t> read =
            platform::ReadFromFile(file, piece.data(), piece.size());
        if (!read) {
            return std::nullopt;
        }
        if (*read == 0) {
            break;
        }
        XXH3_64bits_update(hash.get(), piece.data(), *read);
    }
    state.hash = XXH3_64bits_digest(hash.get());
    return state;
}

std::uint64_t HashOfBytes(std::string_view bytes) {
    return XXH3_64bits(bytes.data(), bytes.size());
}

}  // namespace quorvel::app::history
