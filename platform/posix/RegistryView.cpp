#include "platform/posix/RegistryView.h"

#include "platform/TextRules.h"

#include <optional>
#include <string_view>

#include "platform/posix/Utf16Text.h"

namespace quorvel::platform::posix {

namespace {

constexpr std::u16string_view kWow6432Node = u"Wow6432Node";
constexpr std::u16string_view kLinkValueName = u"SymbolicLinkValue";
constexpr int kMaximumLinkDepth = 16;  // as Wine's server, which then gives up

enum class View { kAsNamed, kThirtyTwoBitInSixtyFourBitPrefix };

struct Location {
    const RegistryText* hive;
    RegistryPath path;
};

bool Exists(const Location& key) {
    return HasKey(RegistryBranch{key.hive, key.path}, {});
}

Location Child(const Location& key, std::u16string_view name) {
    Location child = key;
    child.path.emplace_back(name);
    return child;
}

bool IsWow6432Node(std::u16string_view name) {
    return RegistryNamesEqual(name, kWow6432Node);
}

bool PathsEqual(const RegistryPath& a, const RegistryPath& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (!RegistryNamesEqual(a[i], b[i])) {
            return false;
        }
    }
    return true;
}

// The last section of the key, as loading the file leaves it; null if none names it.
const RegistryKeyRecord* FindSection(const Location& key) {
    const std::vector<RegistryKeyRecord>& keys = key.hive->keys;
    for (auto section = keys.rbegin(); section != keys.rend(); ++section) {
        if (PathsEqual(section->path, key.path)) {
            return &*section;
        }
    }
    return nullptr;
}

class Resolver {
public:
    Resolver(const PrefixHives& hives, View view) : hives_(hives), view_(view) {}

    std::optional<Location> Open(const RegistryText* hive, const RegistryPath& path) const {
        Location key{hive, {u"Software", u"Classes"}};
        const std::u16string_view first = path.empty() ? std::u16string_view() : path.front();
        key = StepIntoWow6432Node(key, first);
        for (std::size_t i = 0; i < path.size(); ++i) {
            Location child = Child(key, path[i]);
            if (!Exists(child) && IsShared(key)) {
                key.path.pop_back();
                child = Child(key, path[i]);
            }
            if (!Exists(child)) {
                return std::nullopt;
            }
            key = std::move(child);
            if (i + 1 < path.size()) {
                key = StepIntoWow6432Node(key, path[i + 1]);
                std::optional<Location> target = FollowLinks(key, 0);
                if (!target) {
                    return std::nullopt;
                }
                key = std::move(*target);
            }
        }
        std::optional<Location> opened = FollowLinks(StepIntoWow6432Node(key, {}), 0);
        if (!opened || !Exists(*opened)) {
            return std::nullopt;  // HKEY_CLASSES_ROOT itself, when no file holds any class
        }
        return opened;
    }

private:
    // Where a 32-bit program in a 64-bit prefix goes on from `key` before it looks up `next`.
    Location StepIntoWow6432Node(const Location& key, std::u16string_view next) const {
        if (view_ != View::kThirtyTwoBitInSixtyFourBitPrefix || IsWow6432Node(next) ||
            (!key.path.empty() && IsWow6432Node(key.path.back()))) {
            return key;
        }
        Location redirected = Child(key, kWow6432Node);
        return Exists(redirected) ? redirected : key;
    }

    bool IsShared(const Location& key) const {
        return view_ == View::kThirtyTwoBitInSixtyFourBitPrefix &&
               PathsEqual(key.path, {u"Software", u"Classes", std::u16string(kWow6432Node)});
    }

    // The key a link stands for, walked from the registry's root name by name (links on the
    // way followed too); the key itself when it is no link. Nothing for a link that leads
    // nowhere or round in circles.
    std::optional<Location> FollowLinks(const Location& key, int depth) const {
        const RegistryKeyRecord* section = FindSection(key);
        if (section == nullptr || !section->isLink) {
            return key;
        }
        if (depth >= kMaximumLinkDepth) {
            return std::nullopt;
        }
        const RegistryValueRecord* target =
            FindValue(RegistryBranch{key.hive, key.path}, {}, kLinkValueName);
        if (target == nullptr) {
            return std::nullopt;
        }
        std::optional<Location> location = HiveLocation(Utf16FromLittleEndian(target->bytes));
        if (!location) {
            return std::nullopt;
        }
        Location walked{location->hive, {}};
        for (const std::u16string& name : location->path) {
            walked = Child(walked, name);
            if (!Exists(walked)) {
                return std::nullopt;
            }
            std::optional<Location> next = FollowLinks(walked, depth + 1);
            if (!next) {
                return std::nullopt;
            }
            walked = std::move(*next);
        }
        return walked;
    }

    // "\Registry\Machine\..." in the machine's file, "\Registry\User\<user>\..." in the
    // user's; a prefix has one user.
    std::optional<Location> HiveLocation(std::u16string_view target) const {
        const std::vector<std::u16string_view> parts = RegistryKeyNames(target);
        RegistryPath names(parts.begin(), parts.end());
        if (target.empty() || target.front() != u'\\' || names.size() < 2 ||
            !RegistryNamesEqual(names[0], u"Registry")) {
            return std::nullopt;
        }
        if (RegistryNamesEqual(names[1], u"Machine") && hives_.machine != nullptr) {
            return Location{hives_.machine, RegistryPath(names.begin() + 2, names.end())};
        }
        if (RegistryNamesEqual(names[1], u"User") && names.size() >= 3 && hives_.user != nullptr) {
            return Location{hives_.user, RegistryPath(names.begin() + 3, names.end())};
        }
        return std::nullopt;
    }

    PrefixHives hives_;
    View view_;
};

std::vector<View> ViewsOf(PrefixArch arch) {
    switch (arch) {
        case PrefixArch::kWin32:
            return {View::kAsNamed};
        case PrefixArch::kWin64:
            return {View::kThirtyTwoBitInSixtyFourBitPrefix};
        case PrefixArch::kUnknown:
            break;
    }
    return {View::kAsNamed, View::kThirtyTwoBitInSixtyFourBitPrefix};
}

bool IsReadable(const RegistryText* hive) {
    return hive != nullptr && hive->hasHeader;
}

}  // namespace

PrefixArch ArchOfRegistry(const RegistryText& text) {
    if (text.arch == "win32") {
        return PrefixArch::kWin32;
    }
    if (text.arch == "win64") {
        return PrefixArch::kWin64;
    }
    return PrefixArch::kUnknown;
}

std::vector<RegistryBranch> ClassesRootKeys(const PrefixHives& hives, const RegistryPath& path) {
    // The prefix's kind is the machine's file's; the user's file tells only without it.
    const PrefixArch arch = IsReadable(hives.machine) ? ArchOfRegistry(*hives.machine)
                            : IsReadable(hives.user)  ? ArchOfRegistry(*hives.user)
                                                      : PrefixArch::kUnknown;
    std::vector<RegistryBranch> keys;
    for (const View view : ViewsOf(arch)) {
        const Resolver resolver(hives, view);
        for (const RegistryText* hive : {hives.user, hives.machine}) {
            if (!IsReadable(hive)) {
                continue;
            }
            if (std::optional<Location> key = resolver.Open(hive, path)) {
                keys.push_back(RegistryBranch{key->hive, std::move(key->path)});
            }
        }
    }
    return keys;
}

}  // namespace quorvel::platform::posix
