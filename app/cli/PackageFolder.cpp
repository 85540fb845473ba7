#include "app/cli/PackageFolder.h"

#include <array>
#include <cstdint>

#include "platform/CommandLinePaths.h"
#include "platform/Cp1252.h"
#include "platform/TextRules.h"

namespace quorvel::app::cli {

namespace {

constexpr const char* kScriptName = "InstSkript.txt";
constexpr std::uint32_t kLongestPath = 32768;

bool HoldsScript(platform::Host& host, const std::string& folder) {
    return host.OpenFileForRead(folder + "\\" + kScriptName).IsValid();
}

bool IsFolder(platform::Host& host, const std::string& path) {
    const platform::Result<std::uint32_t> attributes = host.QueryFileAttributes(path);
    return attributes && (*attributes & platform::kFileAttributeDirectory) != 0;
}

// True when the last name of `path` is InstSkript.txt, in any case.
bool NamesScript(std::string_view path) {
    const std::string_view name = path.substr(path.rfind('\\') + 1);
    std::string_view script(kScriptName);
    if (name.size() != script.size()) {
        return false;
    }
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (platform::Cp1252ToUpper(static_cast<unsigned char>(name[i])) !=
            platform::Cp1252ToUpper(static_cast<unsigned char>(script[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<std::string> FindPackageFolder(platform::Host& host,
                                             const std::optional<std::string>& argument) {
    if (argument) {
        const std::optional<std::string> path = platform::WindowsPathOfArgument(*argument);
        if (!path) {
            return std::nullopt;
        }
        if (IsFolder(host, *path)) {
            return path;
        }
        if (NamesScript(*path)) {
            return std::string(platform::DirectoryOf(*path));
        }
        return std::nullopt;
    }
    std::array<char, kLongestPath> program{};
    const std::uint32_t length = host.ModuleFileName(program.data(), kLongestPath);
    if (length > 0 && length < kLongestPath) {
        const std::string own(platform::DirectoryOf(std::string_view(program.data(), length)));
        if (HoldsScript(host, own)) {
            return own;
        }
    }
    return platform::CurrentWindowsDirectory();
}

}  // namespace quorvel::app::cli
