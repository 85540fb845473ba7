#include <windows.h>

#include "platform/FolderListing.h"
#include "platform/win32/FindHandle.h"

namespace quorvel::platform {

using win32::FindHandle;

namespace {

// Adds the files below `folder` + `relative`; false when that folder cannot be read.
bool ListInto(const std::string& folder, const std::string& relative, std::size_t limit,
              std::vector<std::string>& files) {
    const std::string pattern = folder + (relative.empty() ? "" : "\\" + relative) + "\\*";
    WIN32_FIND_DATAA found{};
    const FindHandle find(FindFirstFileA(pattern.c_str(), &found));
    if (!find.IsValid()) {
        return false;
    }
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") {
            continue;
        }
        const std::string path = relative.empty() ? name : relative + "\\" + name;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
            continue;  // a link: not followed
        }
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            ListInto(folder, path, limit, files);
        } else if (files.size() < limit) {
            files.push_back(path);
        }
    } while (files.size() < limit && FindNextFileA(find.Get(), &found));
    return true;
}

}  // namespace

std::optional<std::vector<std::string>> ListFilesBelow(const std::string& windowsFolder,
                                                       std::size_t limit) {
    std::vector<std::string> files;
    if (!ListInto(windowsFolder, std::string(), limit, files)) {
        return std::nullopt;
    }
    return files;
}

}  // namespace quorvel::platform
