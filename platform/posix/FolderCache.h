// What one run of the Linux host knows of the folders it works in, so that finding a name
// without regard to case costs a hash lookup instead of a read of the whole folder:
//   - the host folder each (host folder, name) pair led to, trusted while the folder at the
//     end of a path still is one;
//   - each folder's names, read once and kept up to date with the run's own creations, keyed
//     by their 1252 upper case, trusted while the folder's stamp (times and size) is the one
//     seen when they were read or last changed by the run. A changed stamp means another
//     program changed the folder: its names are read again.
// The exact name is always asked of the file system first, and a name found in the cache is
// checked to be there still, so what exists is found as without the cache.
#pragma once

#include <sys/stat.h>

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/posix/NameTable.h"

namespace quorvel::platform::posix {

// What shows a change of a folder's entries.
struct FolderStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};

    static FolderStamp Of(const struct stat& status);
    bool operator==(const FolderStamp& other) const;
};

class FolderCache {
public:
    // The most names kept of all folders together: about 10 MB. Past it the other folders'
    // names are forgotten, and a folder that holds more alone is looked through at each
    // name, as without the cache.
    static constexpr std::size_t kMostNames = 300000;

    explicit FolderCache(std::size_t mostNames = kMostNames) : mostNames_(mostNames) {}

    // The UTF-8 name of the entry of the existing folder `folder` that the 1252 name `name`
    // means, or nothing; `status` is the folder's own stat, taken just before.
    std::optional<std::string> FindEntry(const std::string& folder, const struct stat& status,
                                         std::string_view name);
    // The same, for a name that the file system just said is not there as given.
    std::optional<std::string> FindOtherSpelling(const std::string& folder,
                                                 const struct stat& status, std::string_view name);

    // The host path the name `name` (1252) of `folder` led to before, or nothing.
    const std::string* KnownChild(const std::string& folder, std::string_view name) const;
    void RememberChild(const std::string& folder, std::string_view name, std::string child);
    // The same for a way of several names from `folder` ("A\\B\\C"), remembered as one step so
    // that a deep folder costs one lookup, not one for each name on the way. Past kMostWays
    // ways the steps alone are remembered.
    static constexpr std::size_t kMostWays = 20000;
    const std::string* KnownWay(const std::string& folder, std::string_view way) const {
        return KnownChild(folder, way);
    }
    void RememberWay(const std::string& folder, std::string_view way, std::string end);
    // Forgets every step and way remembered: called when a folder they led to is gone.
    void ForgetChildren();

    // The run itself made the entry `entryPath` (a host path), or replaced the one there.
    // `folderFd`, where given, is its folder opened, through which the folder is looked at.
    void Wrote(const std::string& entryPath, int folderFd = -1);

private:
    struct Listing {
        FolderStamp stamp;
        NameTable names;
        bool complete = true;  // false: too many names to keep
    };

    Listing& ReadListing(const std::string& folder);
    // Makes room for one more name in `kept`'s listing; false when it cannot be kept.
    bool MakeRoom(const std::string& kept);
    void Forget(Listing& listing);

    std::unordered_map<std::string, Listing> listings_;
    std::size_t mostNames_;
    std::size_t names_ = 0;                                  // of all listings together
    std::unordered_map<std::string, std::string> children_;  // folder '\0' upper name -> path
    std::size_t ways_ = 0;                                   // of them, ways of several names
};

}  // namespace quorvel::platform::posix
