#include "platform/posix/PrefixClassesRoot.h"

#include <optional>

#include "platform/posix/RegistryView.h"
#include "platform/posix/WinePrefix.h"

namespace quorvel::platform::posix {

namespace {

RegistryText LoadRegistryFile(const std::string& path) {
    const std::optional<std::string> text = ReadWholeFile(path);
    return text ? ParseWineRegistry(*text) : RegistryText{};
}

}  // namespace

PrefixClassesRoot::PrefixClassesRoot(const std::string& prefixDirectory)
    : user_(LoadRegistryFile(prefixDirectory + "/user.reg")),
      machine_(LoadRegistryFile(prefixDirectory + "/system.reg")) {}

bool PrefixClassesRoot::HasKey(const RegistryPath& path) const {
    return !ClassesRootKeys(PrefixHives{&machine_, &user_}, path).empty();
}

const RegistryValueRecord* PrefixClassesRoot::FindValue(const RegistryPath& path,
                                                        std::u16string_view name) const {
    for (const RegistryBranch& key : ClassesRootKeys(PrefixHives{&machine_, &user_}, path)) {
        if (const RegistryValueRecord* value = posix::FindValue(key, {}, name)) {
            return value;
        }
    }
    return nullptr;
}

}  // namespace quorvel::platform::posix
