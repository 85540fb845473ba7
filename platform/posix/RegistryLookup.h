// Finding keys and values in the records of a registry file, with the registry's
// case-insensitive names, and the bytes a value gives a narrow-text caller.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/posix/WineRegistryText.h"

namespace quorvel::platform::posix {

using RegistryPath = std::vector<std::u16string>;

// One registry file seen from one of its keys, e.g. user.reg from Software\Classes.
struct RegistryBranch {
    const RegistryText* text;
    RegistryPath root;
};

// A key exists when a section names it or lies below it (Wine writes no section for a key
// that holds only subkeys). The branch's root itself counts as existing only in that way too.
bool HasKey(const RegistryBranch& branch, const RegistryPath& path);

// The value `name` (empty: the default value) of the key `path`; when the file holds the key or
// the value more than once, the last one, as loading the file would leave it. Null if missing.
const RegistryValueRecord* FindValue(const RegistryBranch& branch, const RegistryPath& path,
                                     std::u16string_view name);

// A key path given as narrow text: names separated by backslashes; empty names (a leading,
// doubled or trailing backslash) are passed over, as Wine passes over them.
RegistryPath SplitSubKey(std::string_view cp1252Path);

// The bytes a narrow-text caller gets: text types converted from UTF-16 to Windows-1252 with
// their terminating zero, every other type byte for byte.
std::string NarrowValueBytes(const RegistryValueRecord& value);

}  // namespace quorvel::platform::posix
