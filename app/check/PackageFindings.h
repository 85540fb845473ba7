// Findings on the files of the package: sources the script names but the package lacks, and
// files of the package that no entry names.
#pragma once

#include <string>
#include <vector>

#include "app/check/EntryFindings.h"
#include "app/check/Finding.h"
#include "platform/Host.h"

namespace quorvel::app::check {

// `packageFolder` is a Windows path; `packageFiles` the files below it (relative paths), as
// platform::ListFilesBelow gives them.
Findings CheckPackageFiles(platform::Host& host, const std::string& packageFolder,
                           const std::vector<FileEntry>& entries,
                           const std::vector<std::string>& packageFiles);

}  // namespace quorvel::app::check
