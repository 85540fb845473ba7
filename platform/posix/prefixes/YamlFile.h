// Reading single values out of the YAML files Lutris and Bottles write (through yaml-cpp).
#pragma once

#include <string>
#include <vector>

namespace quorvel::platform::posix {

// For each key path (e.g. {"game", "prefix"}), the scalar found there in the YAML file at
// `path`; an empty string where there is none, and all empty when the file cannot be read or
// is no YAML mapping.
std::vector<std::string> ReadYamlScalars(const std::string& path,
                                         const std::vector<std::vector<std::string>>& keyPaths);

}  // namespace quorvel::platform::posix
