// The files below a folder, for the package check: which files a package brings.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace quorvel::platform {

// Every file below the folder `windowsFolder`, in its sub-folders too, each as its path relative
// to the folder with "\" between the names, in Windows-1252. Links to folders are not
// followed. At most
// `limit` files; nothing when the folder cannot be read.
std::optional<std::vector<std::string>> ListFilesBelow(const std::string& windowsFolder,
                                                       std::size_t limit);

}  // namespace quorvel::platform
