#include "platform/Host.h"

namespace quorvel::platform {

Result<FileSizeAndTime> Host::QueryFileSizeAndTime(const std::string& path) {
    const UniqueFile file = OpenFileForRead(path);
    if (!file.IsValid()) {
        return ErrorCode::kFileNotFound;
    }
    return GetFileSizeAndTime(file);
}

}  // namespace quorvel::platform
