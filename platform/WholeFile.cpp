#include "platform/WholeFile.h"

#include "platform/Files.h"

namespace quorvel::platform {

namespace {
constexpr std::size_t kReadPiece = 1 << 20;
}  // namespace

std::optional<std::string> ReadWholeFile(Host& host, const std::string& path, std::size_t limit) {
    const UniqueFile file = host.OpenFileForRead(path);
    if (!file.IsValid()) {
        return std::nullopt;
    }
    std::string bytes;
    std::string piece(kReadPiece, '\0');
    for (;;) {
        const Result<std::size_t> read = ReadFromFile(file, piece.data(), piece.size());
        if (!read || bytes.size() + *read > limit) {
            return std::nullopt;
        }
        if (*read == 0) {
            return bytes;
        }
        bytes.append(piece.data(), *read);
    }
}

}  // namespace quorvel::platform
