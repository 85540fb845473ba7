#include "platform/posix/prefixes/PrefixCollector.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "platform/posix/PrefixClassesRoot.h"

namespace quorvel::platform::posix {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kRegistryHeader = "WINE REGISTRY Version 2";
constexpr std::size_t kAppPathBufferSize = 260;  // what the installer reads at most

// Only a regular file is opened: a FIFO in its place would block the search.
bool HasRegistryHeader(const std::string& file) {
    std::error_code error;
    if (!fs::is_regular_file(file, error)) {
        return false;
    }
    std::ifstream in(file, std::ios::binary);
    std::string first(kRegistryHeader.size(), '\0');
    return in.read(first.data(), static_cast<std::streamsize>(first.size())) &&
           first == kRegistryHeader;
}

std::optional<std::string> TrassimoAppPath(const std::string& prefix) {
    const PrefixClassesRoot classes(prefix);
    const RegistryValueRecord* value =
        classes.FindValue({u"Software", u"Halvenwerk", u"TRZX"}, u"AppPath");
    if (value == nullptr) {
        return std::nullopt;
    }
    const std::string bytes = NarrowValueBytes(*value);
    const std::string text = bytes.substr(0, bytes.find('\0'));
    if (bytes.size() > kAppPathBufferSize || text.find('\\') == std::string::npos) {
        return std::nullopt;
    }
    return text;
}

}  // namespace

void PrefixCollector::AddPrefix(const std::string& folder, const std::string& origin) {
    std::error_code error;
    const fs::path canonical = fs::canonical(folder, error);
    if (error || !fs::is_directory(canonical, error) ||
        !HasRegistryHeader((canonical / "system.reg").string())) {
        return;
    }
    if (!folders_.insert(canonical.string()).second) {
        return;
    }
    FoundPrefix prefix;
    prefix.folder = canonical.string();
    prefix.origin = origin;
    prefix.isPrefix = true;
    prefix.trassimoAppPath = TrassimoAppPath(prefix.folder);
    found_.push_back(std::move(prefix));
}

void PrefixCollector::AddMissing(const std::string& folder, const std::string& origin,
                                 const std::string& hint) {
    const std::string normal = fs::path(folder).lexically_normal().string();
    if (!folders_.insert(normal).second) {
        return;
    }
    FoundPrefix prefix;
    prefix.folder = normal;
    prefix.origin = origin;
    prefix.hint = hint;
    found_.push_back(std::move(prefix));
}

std::vector<std::string> SubfolderNames(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        std::error_code ignored;
        if (entry->is_directory(ignored)) {
            names.push_back(entry->path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string ExpandHome(const std::string& path, const std::string& home) {
    for (const std::string_view start : {std::string_view("~/"), std::string_view("$HOME/")}) {
        if (path.starts_with(start)) {
            return home + "/" + path.substr(start.size());
        }
    }
    return path == "~" ? home : path;
}

}  // namespace quorvel::platform::posix
