#include "engine/InstallerBase.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "platform/Files.h"
#include "platform/Registry.h"

namespace quorvel {

namespace {
constexpr std::uint32_t kAppPathBufferSize = 260;
}  // namespace

StatusCode InstallerBase::LookupTarget() {
    platform::Result<platform::RegistryKey> software =
        platform::OpenRegistryKeyForReading(platform::kClassesRoot, "Software");
    if (!software) {
        return kStatusFailure;
    }
    platform::Result<platform::RegistryKey> maker =
        platform::OpenRegistryKeyForReading(software->Get(), "Halvenwerk");
    if (!maker) {
        return kStatusFailure;
    }
    software->Reset();
    platform::Result<platform::RegistryKey> product =
        platform::OpenRegistryKeyForReading(maker->Get(), "TRZX");
    if (!product) {
        return kStatusFailure;
    }
    maker->Reset();

    std::array<unsigned char, kAppPathBufferSize> buffer{};
    std::uint32_t size = kAppPathBufferSize;
    if (!IsSuccess(platform::QueryRegistryValue(product->Get(), "AppPath", buffer.data(), &size))) {
        return kStatusFailure;
    }
    product->Reset();

    // The value's text ends at its first zero byte, and never beyond the bytes returned.
    const std::size_t returned = std::min<std::size_t>(size, buffer.size());
    const auto* begin = reinterpret_cast<const char*>(buffer.data());
    const std::string appPath(begin, std::find(begin, begin + returned, '\0'));

    const std::size_t lastBackslash = appPath.rfind('\\');
    if (lastBackslash == std::string::npos) {
        return kStatusFailure;  // no directory in the value
    }
    std::string folder = appPath.substr(0, lastBackslash) + '\\';
    // A value left behind by a Trassimo since deleted must not make the run build a new
    // Trassimo folder tree: the folder has to be there, and be a folder.
    const platform::Result<std::uint32_t> attributes = host_.QueryFileAttributes(folder);
    if (!attributes || (*attributes & platform::kFileAttributeDirectory) == 0) {
        return kStatusFailure;
    }
    targetDir = std::move(folder);
    return kStatusSuccess;
}

}  // namespace quorvel
