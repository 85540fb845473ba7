// Gathers the prefixes the searches find: resolves links, keeps each folder once, and reads
// whether it is a prefix and holds Trassimo.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/posix/prefixes/PrefixDiscovery.h"

namespace quorvel::platform::posix {

class PrefixCollector {
public:
    // Adds `folder` if it exists (a link that leads nowhere does not) and is a prefix.
    void AddPrefix(const std::string& folder, const std::string& origin);

    // Adds an entry for a prefix that does not exist yet, with a hint for the user (once per
    // folder, like a prefix).
    void AddMissing(const std::string& folder, const std::string& origin, const std::string& hint);

    std::vector<FoundPrefix> Take() { return std::move(found_); }

private:
    std::vector<FoundPrefix> found_;
    std::set<std::string> folders_;
};

// The sub-folders of `folder` (links to folders included), sorted by name; none if it cannot be
// read.
std::vector<std::string> SubfolderNames(const std::string& folder);

// `path` with a leading "~/" or "$HOME/" replaced by the home folder.
std::string ExpandHome(const std::string& path, const std::string& home);

}  // namespace quorvel::platform::posix
