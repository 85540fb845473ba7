// Any bytes as Steam KeyValues text (libraryfolders.vdf, appmanifest_<id>.acf): the tree read
// from it, written out again with every string quoted, must read back complete and equal; the
// library and game-name lookups must end on it and never give an empty library.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/posix/prefixes/KeyValuesText.h"
#include "platform/posix/prefixes/SteamFiles.h"

namespace {

using quorvel::platform::posix::KeyValuesNode;

void Quote(const std::string& text, std::string* out) {
    *out += '"';
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            *out += '\\';
        }
        *out += c;
    }
    *out += '"';
}

void Write(const std::vector<KeyValuesNode>& nodes, std::string* out) {
    for (const KeyValuesNode& node : nodes) {
        Quote(node.key, out);
        if (node.isBlock) {
            *out += "\n{\n";
            Write(node.children, out);
            *out += "}\n";
        } else {
            *out += '\t';
            Quote(node.value, out);
            *out += '\n';
        }
    }
}

bool SameTree(const std::vector<KeyValuesNode>& a, const std::vector<KeyValuesNode>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].key != b[i].key || a[i].value != b[i].value || a[i].isBlock != b[i].isBlock ||
            !SameTree(a[i].children, b[i].children)) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorvel::platform::posix;
    const KeyValuesText text =
        ParseKeyValues(std::string_view(reinterpret_cast<const char*>(data), size));
    std::string written;
    Write(text.roots, &written);
    const KeyValuesText again = ParseKeyValues(written);
    if (!again.complete || !SameTree(text.roots, again.roots)) {
        std::abort();
    }
    for (const std::string& library : LibraryFoldersIn(text)) {
        if (library.empty()) {
            std::abort();
        }
    }
    const std::string name = AppNameIn(text);
    if (name.size() > size) {
        std::abort();
    }
    return 0;
}
