#include "platform/posix/FolderCache.h"

#include <dirent.h>

#include "platform/Cp1252.h"
#include "platform/posix/HostPath.h"
#include "platform/posix/UniqueFd.h"

namespace quorvel::platform::posix {

namespace {

bool operator==(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

std::string ChildKey(const std::string& folder, std::string_view name) {
    std::string key = folder;
    key += '\0';
    key += Cp1252UpperCase(name);
    return key;
}

bool Exists(const std::string& folder, const std::string& name) {
    struct stat status {};
    return ::lstat(JoinHostPath(folder, name).c_str(), &status) == 0;
}

}  // namespace

FolderStamp FolderStamp::Of(const struct stat& status) {
    return {status.st_dev, status.st_ino, status.st_size, status.st_mtim, status.st_ctim};
}

bool FolderStamp::operator==(const FolderStamp& other) const {
    return device == other.device && inode == other.inode && size == other.size &&
           modified == other.modified && changed == other.changed;
}

std::optional<std::string> FolderCache::FindEntry(const std::string& folder,
                                                  const struct stat& status,
                                                  std::string_view name) {
    std::string exact = Cp1252ToUtf8(name);
    if (Exists(folder, exact)) {
        return exact;
    }
    return FindOtherSpelling(folder, status, name);
}

std::optional<std::string> FolderCache::FindOtherSpelling(const std::string& folder,
                                                          const struct stat& status,
                                                          std::string_view name) {
    const std::string upper = Cp1252UpperCase(name);
    auto listed = listings_.find(folder);
    if (listed != listings_.end() && listed->second.stamp == FolderStamp::Of(status)) {
        if (!listed->second.complete) {
            return FindEntryIgnoringCase(folder, name);
        }
        const std::optional<std::string_view> found = listed->second.names.Find(upper);
        if (!found) {
            return std::nullopt;
        }
        if (Exists(folder, std::string(*found))) {
            return std::string(*found);
        }
    }
    const Listing& listing = ReadListing(folder);
    if (!listing.complete) {
        return FindEntryIgnoringCase(folder, name);
    }
    const std::optional<std::string_view> found = listing.names.Find(upper);
    return found ? std::optional<std::string>(std::string(*found)) : std::nullopt;
}

void FolderCache::Forget(Listing& listing) {
    names_ -= listing.names.Count();
    listing.names = NameTable();
}

bool FolderCache::MakeRoom(const std::string& kept) {
    if (names_ < mostNames_) {
        return true;
    }
    for (auto listed = listings_.begin(); listed != listings_.end();) {
        if (listed->first == kept) {
            ++listed;
            continue;
        }
        names_ -= listed->second.names.Count();
        listed = listings_.erase(listed);
    }
    return names_ < mostNames_;
}

FolderCache::Listing& FolderCache::ReadListing(const std::string& folder) {
    Listing& listing = listings_[folder];
    Forget(listing);
    listing.complete = true;
    // The stamp is taken before the names are read, so that a change while they are read
    // shows at the next look.
    struct stat status {};
    listing.stamp = ::stat(folder.c_str(), &status) == 0 ? FolderStamp::Of(status) : FolderStamp{};
    const UniqueDir dir(::opendir(folder.c_str()));
    if (!dir.IsValid()) {
        return listing;
    }
    while (const dirent* entry = ::readdir(dir.Get())) {
        const std::string_view entryName = entry->d_name;
        if (entryName == "." || entryName == "..") {
            continue;
        }
        if (!MakeRoom(folder)) {
            Forget(listing);
            listing.complete = false;
            break;
        }
        // A name that 1252 cannot hold cannot be what a 1252 name means; of names equal but
        // for case, the first the folder lists is found, as without the cache.
        const std::size_t before = listing.names.Count();
        listing.names.Add(entryName);
        names_ += listing.names.Count() - before;
    }
    return listing;
}

const std::string* FolderCache::KnownChild(const std::string& folder, std::string_view name) const {
    const auto found = children_.find(ChildKey(folder, name));
    return found == children_.end() ? nullptr : &found->second;
}

void FolderCache::RememberChild(const std::string& folder, std::string_view name,
                                std::string child) {
    children_.insert_or_assign(ChildKey(folder, name), std::move(child));
}

void FolderCache::RememberWay(const std::string& folder, std::string_view way, std::string end) {
    if (ways_ < kMostWays &&
        children_.insert_or_assign(ChildKey(folder, way), std::move(end)).second) {
        ++ways_;
    }
}

void FolderCache::ForgetChildren() {
    children_.clear();
    ways_ = 0;
}

void FolderCache::Wrote(const std::string& entryPath, int folderFd) {
    const std::size_t slash = entryPath.rfind('/');
    if (slash == std::string::npos) {
        return;
    }
    const std::string folder = slash == 0 ? std::string("/") : entryPath.substr(0, slash);
    const std::string name = entryPath.substr(slash + 1);
    const auto listed = listings_.find(folder);
    if (listed == listings_.end()) {
        return;
    }
    Listing& listing = listed->second;
    if (listing.complete && MakeRoom(folder)) {
        const std::size_t before = listing.names.Count();
        listing.names.Add(name);
        names_ += listing.names.Count() - before;
    } else {
        Forget(listing);
        listing.complete = false;
    }
    struct stat status {};
    const int looked = folderFd >= 0 ? ::fstat(folderFd, &status) : ::stat(folder.c_str(), &status);
    listed->second.stamp = looked == 0 ? FolderStamp::Of(status) : FolderStamp{};
}

}  // namespace quorvel::platform::posix
