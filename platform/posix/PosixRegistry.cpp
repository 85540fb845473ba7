// The registry calls against the registry files of a Wine prefix. HKEY_CLASSES_ROOT is, as on
// Windows, the user's Software\Classes (user.reg) laid over the machine's (system.reg), each
// seen as the 32-bit Quorvel.exe sees it in that prefix (RegistryView.h). The files are read
// afresh by every call, so that a change Wine writes meanwhile is seen.
#include <cstring>
#include <optional>
#include <string>

#include "platform/Registry.h"
#include "platform/posix/PrefixClassesRoot.h"
#include "platform/posix/RegistryLookup.h"
#include "platform/posix/Utf16Text.h"
#include "platform/posix/WinePrefix.h"

namespace quorvel::platform {

namespace {

using posix::RegistryPath;

// Predefined keys (HKEY_CLASSES_ROOT ... HKEY_DYN_DATA and the performance keys) are handles in
// this range; of them only HKEY_CLASSES_ROOT is served.
constexpr RegistryHandle kFirstPredefined = 0x80000000u;
constexpr RegistryHandle kLastPredefined = 0x800000FFu;

// What an open handle points to: the key's path below HKEY_CLASSES_ROOT.
struct OpenKey {
    RegistryPath path;
};

// HKEY_CLASSES_ROOT of the prefix the host works in, read afresh.
class ClassesRoot : public posix::PrefixClassesRoot {
public:
    ClassesRoot() : PrefixClassesRoot(posix::WinePrefixDirectory()) {}
};

// The path of an open handle below HKEY_CLASSES_ROOT; false for a handle that is none.
bool PathOfHandle(RegistryHandle handle, RegistryPath* path) {
    if (handle == kClassesRoot) {
        path->clear();
        return true;
    }
    if (handle == 0 || (handle >= kFirstPredefined && handle <= kLastPredefined)) {
        return false;
    }
    *path = reinterpret_cast<const OpenKey*>(handle)->path;
    return true;
}

}  // namespace

// Every access asked for is granted: the host only ever reads, and Wine grants write access to
// these keys as well.
ErrorCode OpenRegistryKey(RegistryHandle parent, const std::string& subKey,
                          std::uint32_t /*access*/, RegistryHandle* result) {
    if (result == nullptr) {
        return ErrorCode::kInvalidParameter;
    }
    RegistryPath path;
    if (!PathOfHandle(parent, &path)) {
        return ErrorCode::kInvalidHandle;
    }
    // The name ends at its first zero byte, as the C string the Win32 call takes.
    const RegistryPath below = posix::SplitSubKey(subKey.c_str());
    path.insert(path.end(), below.begin(), below.end());

    if (!ClassesRoot().HasKey(path)) {
        return ErrorCode::kFileNotFound;
    }
    *result = reinterpret_cast<RegistryHandle>(new OpenKey{std::move(path)});
    return ErrorCode::kSuccess;
}

ErrorCode QueryRegistryValue(RegistryHandle key, const std::string& valueName, unsigned char* data,
                             std::uint32_t* size) {
    RegistryPath path;
    if (!PathOfHandle(key, &path)) {
        return ErrorCode::kInvalidHandle;
    }
    if (data != nullptr && size == nullptr) {
        return ErrorCode::kInvalidParameter;
    }
    const ClassesRoot classesRoot;
    const std::u16string name = posix::Cp1252ToUtf16(valueName.c_str());
    if (const posix::RegistryValueRecord* value = classesRoot.FindValue(path, name)) {
        const std::string bytes = posix::NarrowValueBytes(*value);
        if (size == nullptr) {
            return ErrorCode::kSuccess;
        }
        const std::uint32_t available = *size;
        *size = static_cast<std::uint32_t>(bytes.size());
        if (data == nullptr) {
            return ErrorCode::kSuccess;
        }
        if (bytes.size() > available) {
            return ErrorCode::kMoreData;
        }
        std::memcpy(data, bytes.data(), bytes.size());
        return ErrorCode::kSuccess;
    }
    return ErrorCode::kFileNotFound;
}

ErrorCode CloseRegistryKey(RegistryHandle key) {
    if (key == kClassesRoot) {
        return ErrorCode::kSuccess;
    }
    if (key == 0 || (key >= kFirstPredefined && key <= kLastPredefined)) {
        return ErrorCode::kInvalidHandle;
    }
    delete reinterpret_cast<OpenKey*>(key);
    return ErrorCode::kSuccess;
}

}  // namespace quorvel::platform
