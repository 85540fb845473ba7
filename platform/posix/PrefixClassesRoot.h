// HKEY_CLASSES_ROOT of one Wine prefix, read from its registry files (user.reg, system.reg) as
// they are when the object is made, and seen as the 32-bit Quorvel.exe sees it there.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/posix/RegistryLookup.h"
#include "platform/posix/WineRegistryText.h"

namespace quorvel::platform::posix {

class PrefixClassesRoot {
public:
    explicit PrefixClassesRoot(const std::string& prefixDirectory);
    PrefixClassesRoot(const PrefixClassesRoot&) = delete;
    PrefixClassesRoot& operator=(const PrefixClassesRoot&) = delete;

    bool HasKey(const RegistryPath& path) const;

    // The value `name` (empty: the default value) of the key `path`; null if missing.
    const RegistryValueRecord* FindValue(const RegistryPath& path, std::u16string_view name) const;

private:
    RegistryText user_;
    RegistryText machine_;
};

}  // namespace quorvel::platform::posix
