#include "platform/FolderListing.h"

#include <filesystem>
#include <system_error>

#include "platform/Cp1252.h"
#include "platform/posix/HostPath.h"

namespace quorvel::platform {

std::optional<std::vector<std::string>> ListFilesBelow(const std::string& windowsFolder,
                                                       std::size_t limit) {
    const posix::HostPathResult folder = posix::ResolveHostPath(windowsFolder);
    if (folder.error != ErrorCode::kSuccess || !folder.path.exists) {
        return std::nullopt;
    }
    const std::filesystem::path root = folder.path.Full();
    std::error_code error;
    std::filesystem::recursive_directory_iterator walk(
        root, std::filesystem::directory_options::skip_permission_denied, error);
    if (error) {
        return std::nullopt;
    }
    std::vector<std::string> files;
    for (const std::filesystem::directory_entry& entry : walk) {
        if (files.size() >= limit) {
            break;
        }
        if (!entry.is_regular_file(error)) {
            continue;
        }
        // A name Windows-1252 cannot write is one no install script can name either.
        const std::optional<std::string> relative =
            Utf8ToCp1252(entry.path().lexically_relative(root).string());
        if (!relative) {
            continue;
        }
        std::string windows = *relative;
        for (char& c : windows) {
            c = c == '/' ? '\\' : c;
        }
        files.push_back(std::move(windows));
    }
    return files;
}

}  // namespace quorvel::platform
