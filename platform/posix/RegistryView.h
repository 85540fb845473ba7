// HKEY_CLASSES_ROOT of a Wine prefix as the 32-bit Quorvel.exe sees it there, worked out from
// the prefix's registry files as Wine's server walks its key tree:
//  - a key marked "#link" stands for the key its "SymbolicLinkValue" names;
//  - in a 64-bit prefix a 32-bit program steps, below every key that has a subkey
//    "Wow6432Node", into that subkey instead (also at the key it finally opens), and
//    Software\Classes\Wow6432Node is shared: a name it lacks is looked up in
//    Software\Classes itself (that is where a 32-bit "reg add HKCR\Software\..." lands);
//  - in a 32-bit prefix the names are taken as they stand;
//  - a registry file without "#arch" may be either, so it is read both ways.
#pragma once

#include <vector>

#include "platform/posix/RegistryLookup.h"
#include "platform/posix/WineRegistryText.h"

namespace quorvel::platform::posix {

enum class PrefixArch { kUnknown, kWin32, kWin64 };

// From the file's "#arch=" line.
PrefixArch ArchOfRegistry(const RegistryText& text);

// The registry files HKEY_CLASSES_ROOT draws on; either may be null or without its header.
struct PrefixHives {
    const RegistryText* machine;  // system.reg, relative to REGISTRY\Machine
    const RegistryText* user;     // user.reg, relative to REGISTRY\User\<the user>
};

// The keys that the 32-bit program reaches when it opens `path` below HKEY_CLASSES_ROOT, each as
// a branch rooted at the key itself, in the order in which their values count: the user's
// classes over the machine's, and for a prefix of unknown kind the 32-bit prefix's reading
// before the 64-bit one's. Empty when the key does not exist in any of them.
std::vector<RegistryBranch> ClassesRootKeys(const PrefixHives& hives, const RegistryPath& path);

}  // namespace quorvel::platform::posix
