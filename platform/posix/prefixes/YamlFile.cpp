#include "platform/posix/prefixes/YamlFile.h"

#include <yaml-cpp/yaml.h>

#include <optional>

#include "platform/posix/WinePrefix.h"

namespace quorvel::platform::posix {

namespace {

// Walks down by rebinding (reset), never by assigning: assigning a yaml-cpp node writes into
// the node it refers to. Lookups go through a const node so that none adds a key.
// Each key path is read on its own, so that one that fails costs only its own value.
std::string ScalarAt(const YAML::Node& root, const std::vector<std::string>& keys) {
    YAML::Node node;
    node.reset(root);
    for (const std::string& key : keys) {
        if (!node.IsMap()) {
            return "";
        }
        const YAML::Node& map = node;
        node.reset(map[key]);
        if (!node.IsDefined()) {
            return "";  // a missing key (asking more of such a node throws)
        }
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
    YAML::Node root;
    try {
        root = YAML::Load(*text);
    } catch (const YAML::Exception&) {
        return scalars;
    }
    for (std::size_t i = 0; i < keyPaths.size(); ++i) {
        try {
            scalars[i] = ScalarAt(root, keyPaths[i]);
        } catch (const YAML::Exception&) {
            scalars[i].clear();
        }
    }
    return scalars;
}

}  // namespace quorvel::platform::posix
