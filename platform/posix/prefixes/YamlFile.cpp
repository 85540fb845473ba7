#include "platform/posix/prefixes/YamlFile.h"

#include <yaml-cpp/yaml.h>

#include <optional>

#include "platform/posix/WinePrefix.h"

namespace quorvel::platform::posix {

namespace {

std::string ScalarAt(const YAML::Node& root, const std::vector<std::string>& keys) {
    YAML::Node node = root;
    for (const std::string& key : keys) {
        if (!node.IsMap()) {
            return "";
        }
        node = node[key];
    }
    return node.IsScalar() ? node.Scalar() : "";
}

}  // namespace

std::vector<std::string> ReadYamlScalars(const std::string& path,
                                         const std::vector<std::vector<std::string>>& keyPaths) {
    std::vector<std::string> scalars(keyPaths.size());
    const std::optional<std::string> text = ReadWholeFile(path);
    if (!text) {
        return scalars;
    }
    // yaml-cpp reports a malformed file by throwing; it stays inside this function.
    try {
        const YAML::Node root = YAML::Load(*text);
        for (std::size_t i = 0; i < keyPaths.size(); ++i) {
            scalars[i] = ScalarAt(root, keyPaths[i]);
        }
    } catch (const YAML::Exception&) {
        return std::vector<std::string>(keyPaths.size());
    }
    return scalars;
}

}  // namespace quorvel::platform::posix
