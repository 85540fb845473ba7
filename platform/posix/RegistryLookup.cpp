#include "platform/posix/RegistryLookup.h"

#include "platform/TextRules.h"

#include "platform/posix/Utf16Text.h"

namespace quorvel::platform::posix {

namespace {

// Whether `keyPath` is `root` + `path` (exactly, or with more names below when `orBelow`).
bool PathMatches(const RegistryPath& keyPath, const RegistryPath& root, const RegistryPath& path,
                 bool orBelow) {
    const std::size_t wanted = root.size() + path.size();
    if (keyPath.size() < wanted || (!orBelow && keyPath.size() != wanted)) {
        return false;
    }
    for (std::size_t i = 0; i < wanted; ++i) {
        const std::u16string& name = i < root.size() ? root[i] : path[i - root.size()];
        if (!RegistryNamesEqual(keyPath[i], name)) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool HasKey(const RegistryBranch& branch, const RegistryPath& path) {
    for (const RegistryKeyRecord& key : branch.text->keys) {
        if (PathMatches(key.path, branch.root, path, true)) {
            return true;
        }
    }
    return false;
}

const RegistryValueRecord* FindValue(const RegistryBranch& branch, const RegistryPath& path,
                                     std::u16string_view name) {
    const std::vector<RegistryKeyRecord>& keys = branch.text->keys;
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
        if (!PathMatches(key->path, branch.root, path, false)) {
            continue;
        }
        for (auto value = key->values.rbegin(); value != key->values.rend(); ++value) {
            if (RegistryNamesEqual(value->name, name)) {
                return &*value;
            }
        }
    }
    return nullptr;
}

RegistryPath SplitSubKey(std::string_view cp1252Path) {
    RegistryPath names;
    for (const std::string_view name : RegistryKeyNames(cp1252Path)) {
        names.push_back(Cp1252ToUtf16(name));
    }
    return names;
}

std::string NarrowValueBytes(const RegistryValueRecord& value) {
    if (!IsStringType(value.type)) {
        return value.bytes;
    }
    return Utf16ToCp1252(Utf16FromLittleEndian(value.bytes));
}

}  // namespace quorvel::platform::posix
