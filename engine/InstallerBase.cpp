#include "engine/InstallerBase.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "platform/Registry.h"

namespace quorvel {

namespace {
constexpr std::uint32_t kAppPathBufferSize = 260;
}  // namespace

StatusCode InstallerBase::LookupTarget() {
    platform::RegistryKey software;
    if (!software.Open(platform::kClassesRoot, "Software")) {
        return kStatusFailure;
    }
    platform::RegistryKey maker;
    if (!maker.Open(software, "Halvenwerk")) {
        return kStatusFailure;
    }
    software.Close();
    platform::RegistryKey product;
    if (!product.Open(maker, "TRZX")) {
        return kStatusFailure;
    }
    maker.Close();

    std::array<unsigned char, kAppPathBufferSize> buffer{};
    std::uint32_t size = kAppPathBufferSize;
    if (!product.QueryValue("AppPath", buffer.data(), &size)) {
        return kStatusFailure;
    }
    product.Close();

    // The value's text ends at its first zero byte, and never beyond the bytes returned.
    const std::size_t returned = std::min<std::size_t>(size, buffer.size());
    const auto* begin = reinterpret_cast<const char*>(buffer.data());
    const std::string appPath(begin, std::find(begin, begin + returned, '\0'));

    const std::size_t lastBackslash = appPath.rfind('\\');
    if (lastBackslash == std::string::npos) {
        return kStatusFailure;  // no directory in the value
    }
    targetDir = appPath.substr(0, lastBackslash) + '\\';
    return kStatusSuccess;
}

}  // namespace quorvel
