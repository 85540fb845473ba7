// A run's cache of its folders finds what the file system alone finds: the same entries after
// the run's own writes and after other programs' creations, removals and renames.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Cp1252.h"
#include "platform/posix/FolderCache.h"
#include "platform/posix/HostPath.h"
#include "platform/posix/NameTable.h"
#include "tests/support/ErrorCodePrinting.h"
#include "tests/support/TempTree.h"

namespace quorvel::platform::posix {
namespace {

namespace fs = std::filesystem;

class Random {
public:
    explicit Random(std::uint32_t seed) : state_(seed) {}
    std::uint32_t Below(std::uint32_t bound) {
        state_ = state_ * 1103515245u + 12345u;
        return ((state_ >> 16) & 0x7FFF) % bound;
    }

private:
    std::uint32_t state_;
};

// Names that fold together in pairs (a A, ä Ä, ÿ Ÿ) and one without a partner.
const char* const kNames[] = {"a", "A", "\xE4", "\xC4", "\xFF", "\x9F", "b"};

std::string RandomName(Random& random) {
    return kNames[random.Below(std::size(kNames))];
}

// 1 to 3 names below the tree, sometimes with a trailing separator.
std::string RandomRelativePath(Random& random) {
    std::string path = RandomName(random);
    for (std::uint32_t depth = random.Below(3); depth > 0; --depth) {
        path += "\\" + RandomName(random);
    }
    return random.Below(8) == 0 ? path + "\\" : path;
}

// The same name in the other case, UTF-8; empty for a name without one.
std::string OtherCase(const std::string& utf8) {
    const char* const pairs[][2] = {{"a", "A"}, {"\xC3\xA4", "\xC3\x84"}, {"\xC3\xBF", "\xC5\xB8"}};
    for (const auto& pair : pairs) {
        if (utf8 == pair[0]) {
            return pair[1];
        }
        if (utf8 == pair[1]) {
            return pair[0];
        }
    }
    return "";
}

// Every entry below the tree's root, as host paths; with `foldersOnly`, the folders and the
// root itself.
std::vector<fs::path> EntriesOf(const fs::path& root, bool foldersOnly) {
    std::vector<fs::path> entries;
    if (foldersOnly) {
        entries.push_back(root);
    }
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
        if (!foldersOnly || entry.is_directory()) {
            entries.push_back(entry.path());
        }
    }
    return entries;
}

// True when `folder` holds no entry whose name folds to the same as `name` (UTF-8).
bool NameIsFree(const fs::path& folder, const std::string& name) {
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        if (Cp1252UpperCaseOfUtf8(entry.path().filename().string()) ==
            Cp1252UpperCaseOfUtf8(name)) {
            return false;
        }
    }
    return true;
}

// Another program changes the tree: it makes a file or a folder, removes an entry, or renames
// one, to the other case of its name or to another name. It never makes two names of one
// folder that differ only in case, so that every path means one entry, with the cache as
// without it.
void ChangeAsAnotherProgram(const fs::path& root, Random& random) {
    const std::string name = Cp1252ToUtf8(RandomName(random));
    const std::uint32_t change = random.Below(4);
    if (change < 2) {
        const std::vector<fs::path> folders = EntriesOf(root, true);
        const fs::path folder = folders[random.Below(folders.size())];
        if (!NameIsFree(folder, name)) {
            return;
        }
        if (change == 0) {
            ::close(::open((folder / name).c_str(), O_CREAT | O_WRONLY | O_EXCL, 0644));
        } else {
            fs::create_directory(folder / name);
        }
        return;
    }
    const std::vector<fs::path> entries = EntriesOf(root, false);
    if (entries.empty()) {
        return;
    }
    const fs::path entry = entries[random.Below(entries.size())];
    if (change == 2) {
        fs::remove_all(entry);
        return;
    }
    const std::string other = OtherCase(entry.filename().string());
    if (random.Below(2) == 0 && !other.empty()) {
        fs::rename(entry, entry.parent_path() / other);
    } else if (NameIsFree(entry.parent_path(), name)) {
        fs::rename(entry, entry.parent_path() / name);
    }
}

// The run makes a file or a folder where the cached resolution says nothing is, as the host
// does, and tells the cache.
void WriteAsTheRun(const std::string& windowsPath, const PathContext& context, FolderCache& cache,
                   bool folder) {
    const HostPathResult resolved = ResolveHostPath(windowsPath, context, cache);
    if (!IsSuccess(resolved.error) || resolved.path.exists || resolved.path.name.empty()) {
        return;
    }
    const std::string full = resolved.path.Full();
    const bool made = folder
                          ? ::mkdir(full.c_str(), 0777) == 0
                          : ::close(::open(full.c_str(), O_CREAT | O_WRONLY | O_EXCL, 0644)) == 0;
    if (made) {
        cache.Wrote(full);
    }
}

TEST(FolderCache, FindsWhatTheFileSystemAloneFinds) {
    // With room for every name, and with room for three, so that listings are forgotten and
    // folders of more names are looked through each time.
    for (const std::size_t mostNames : {FolderCache::kMostNames, std::size_t{3}}) {
        for (std::uint32_t seed = 1; seed <= 4; ++seed) {
            SCOPED_TRACE("seed " + std::to_string(seed) + ", room for " +
                         std::to_string(mostNames));
            const test::TempTree tree;
            const fs::path root = tree.HostPath("");
            const PathContext context{"/nonexistent-prefix", "/"};
            FolderCache cache(mostNames);
            Random random(seed);
            for (int step = 0; step < 600; ++step) {
                if (random.Below(3) == 0) {
                    ChangeAsAnotherProgram(root, random);
                } else {
                    WriteAsTheRun(tree.Path(RandomRelativePath(random)), context, cache,
                                  random.Below(2) == 0);
                }
                for (int query = 0; query < 4; ++query) {
                    const std::string path = tree.Path(RandomRelativePath(random));
                    SCOPED_TRACE("step " + std::to_string(step) + ": " + path);
                    const HostPathResult alone = ResolveHostPath(path, context);
                    const HostPathResult cached = ResolveHostPath(path, context, cache);
                    ASSERT_EQ(cached.error, alone.error);
                    ASSERT_EQ(cached.path.exists, alone.path.exists);
                    ASSERT_EQ(cached.path.Full(), alone.path.Full());
                }
            }
        }
    }
}

TEST(NameTable, FindsNamesByTheirUpperCaseFirstAddedFirst) {
    NameTable table;
    table.Add("Haus.dat");
    table.Add("HAUS.DAT");                   // equal but for case: the first stays
    table.Add("H\xC3\xA4user");              // Häuser
    table.Add("\xC4\x80.dat");               // Ā.dat: no 1252 name
    table.Add(std::string_view("a\0b", 3));  // no file's name
    EXPECT_EQ(table.Count(), 2u);
    EXPECT_EQ(table.Find("HAUS.DAT"), "Haus.dat");
    EXPECT_EQ(table.Find("H\xC4USER"), "H\xC3\xA4user");
    EXPECT_EQ(table.Find("HAUS.DA"), std::nullopt);
    EXPECT_EQ(table.Find("A"), std::nullopt);

    // Through many growths every name stays where it is found.
    for (int i = 0; i < 20000; ++i) {
        table.Add("Datei" + std::to_string(i) + ".dat");
    }
    EXPECT_EQ(table.Count(), 20002u);
    for (int i = 0; i < 20000; i += 7) {
        ASSERT_EQ(table.Find("DATEI" + std::to_string(i) + ".DAT"),
                  "Datei" + std::to_string(i) + ".dat");
    }
    EXPECT_EQ(table.Find("DATEI20000.DAT"), std::nullopt);
    EXPECT_EQ(table.Find("HAUS.DAT"), "Haus.dat");
}

TEST(FolderCache, ANameTheRunWroteIsFoundInAnyCase) {
    const test::TempTree tree;
    tree.MakeDirectory("Sim");
    const PathContext context{"/nonexistent-prefix", "/"};
    FolderCache cache;
    // The miss lists the folder; the run's new name must then be in that listing.
    ASSERT_FALSE(ResolveHostPath(tree.Path("sim\\DATEI.DAT"), context, cache).path.exists);
    WriteAsTheRun(tree.Path("sim\\Datei.dat"), context, cache, false);
    const HostPathResult found = ResolveHostPath(tree.Path("SIM\\dAtEi.DaT"), context, cache);
    EXPECT_TRUE(found.path.exists);
    EXPECT_EQ(found.path.Full(), tree.HostPath("Sim\\Datei.dat"));
}

}  // namespace
}  // namespace quorvel::platform::posix
