#include "platform/posix/DriveMapping.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <vector>

#include "platform/Cp1252.h"
#include "platform/TextRules.h"
#include "platform/posix/HostPath.h"
#include "platform/posix/ModulePath.h"

namespace quorvel::platform::posix {

namespace {

struct DriveFolder {
    char letter;
    dev_t device;
    ino_t inode;
};

std::vector<DriveFolder> DriveFolders(const std::string& prefix) {
    std::vector<DriveFolder> drives;
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        const std::optional<std::string> root = DriveRoot(prefix, letter);
        struct stat status {};
        if (root && ::stat(root->c_str(), &status) == 0 && S_ISDIR(status.st_mode)) {
            drives.push_back({letter, status.st_dev, status.st_ino});
        }
    }
    return drives;
}

}  // namespace

std::optional<std::string> WindowsPathOnDrives(std::string_view hostPath,
                                               const std::string& prefix) {
    const std::optional<std::string> onZ = WindowsPathOfHostPath(hostPath);
    if (!onZ) {
        return std::nullopt;
    }
    const std::vector<DriveFolder> drives = DriveFolders(prefix);
    std::vector<std::string_view> names;
    for (const std::string_view name : SplitPath(hostPath, [](char c) { return c == '/'; })) {
        if (!name.empty()) {
            names.push_back(name);
        }
    }
    // From the path itself up to the root: the first folder that is a drive's decides.
    for (std::size_t depth = names.size() + 1; depth-- > 0;) {
        std::string folder = "/";
        for (std::size_t i = 0; i < depth; ++i) {
            folder = JoinHostPath(folder, names[i]);
        }
        struct stat status {};
        if (::stat(folder.c_str(), &status) != 0) {
            continue;
        }
        const auto drive = std::find_if(drives.begin(), drives.end(), [&](const DriveFolder& d) {
            return d.device == status.st_dev && d.inode == status.st_ino;
        });
        if (drive == drives.end()) {
            continue;
        }
        std::string windows{static_cast<char>(drive->letter - 'a' + 'A'), ':', '\\'};
        for (std::size_t i = depth; i < names.size(); ++i) {
            windows += *Utf8ToCp1252(names[i]);  // checked whole by WindowsPathOfHostPath
            if (i + 1 < names.size()) {
                windows += '\\';
            }
        }
        return windows;
    }
    return onZ;
}

}  // namespace quorvel::platform::posix
