// Any bytes, split at the first zero byte, as a prefix's system.reg and user.reg: HKEY_CLASSES_ROOT
// seen as the 32-bit program sees it, asked for Trassimo's key and for the path of every key
// the files hold below Software\Classes. Every answer must end (links may run in circles)
// and name a key that exists.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/posix/RegistryLookup.h"
#include "platform/posix/RegistryView.h"
#include "platform/posix/Utf16Text.h"
#include "platform/posix/WineRegistryText.h"

namespace {

using namespace quorvel::platform::posix;

void Ask(const PrefixHives& hives, const RegistryPath& path) {
    for (const RegistryBranch& key : ClassesRootKeys(hives, path)) {
        if (!HasKey(key, {})) {
            std::abort();
        }
        FindValue(key, {}, u"AppPath");
    }
}

void AskForEveryClassesKey(const PrefixHives& hives, const RegistryText& file) {
    for (const RegistryKeyRecord& key : file.keys) {
        if (key.path.size() >= 2 && RegistryNamesEqual(key.path[0], u"Software") &&
            RegistryNamesEqual(key.path[1], u"Classes")) {
            Ask(hives, RegistryPath(key.path.begin() + 2, key.path.end()));
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\0');
    const RegistryText machine = ParseWineRegistry(input.substr(0, split));
    const RegistryText user = ParseWineRegistry(
        split == std::string_view::npos ? std::string_view() : input.substr(split + 1));
    const PrefixHives hives{&machine, &user};
    Ask(hives, {u"Software", u"Halvenwerk", u"TRZX"});
    Ask(hives, {});
    AskForEveryClassesKey(hives, machine);
    AskForEveryClassesKey(hives, user);
    return 0;
}
