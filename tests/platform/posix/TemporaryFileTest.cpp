// A temporary file, named or unnamed, ends as its target or as nothing: whatever stood there
// before, whatever appears there meanwhile, and whether it is committed or not.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/posix/TemporaryFile.h"
#include "platform/posix/UniqueFd.h"
#include "tests/support/TempTree.h"

namespace quorvel::platform::posix {
namespace {

// True when the file system of `folder` makes files without a name.
bool MakesUnnamedFiles(const std::string& folder) {
    const UniqueFd probe(::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
    return probe.IsValid() && CanLinkUnnamedFiles();
}

// Every pair of a case and a way.
template <typename Case, std::size_t kCases, typename Way, std::size_t kWays>
std::vector<std::pair<Case, Way>> CasesInEachWay(const Case (&cases)[kCases],
                                                 const Way (&ways)[kWays]) {
    std::vector<std::pair<Case, Way>> pairs;
    for (const Case& c : cases) {
        for (const Way& way : ways) {
            pairs.emplace_back(c, way);
        }
    }
    return pairs;
}

TEST(TemporaryFile, EndsAsItsTargetOrAsNothing) {
    enum class Before { kNothing, kOldFile, kAppearsMeanwhile };
    struct Case {
        const char* label;
        TemporaryNaming naming;
        Before before;
        bool commit;
        const char* left;  // the target's content at the end, "" for none
    };
    const Case cases[] = {
        {"named, new", TemporaryNaming::kNamed, Before::kNothing, true, "neu"},
        {"named, over a file", TemporaryNaming::kNamed, Before::kOldFile, true, "neu"},
        {"named, dropped", TemporaryNaming::kNamed, Before::kOldFile, false, "alt"},
        {"unnamed, new", TemporaryNaming::kUnnamed, Before::kNothing, true, "neu"},
        {"unnamed, over a file made meanwhile", TemporaryNaming::kUnnamed,
         Before::kAppearsMeanwhile, true, "neu"},
        {"unnamed, dropped", TemporaryNaming::kUnnamed, Before::kNothing, false, ""},
        {"unnamed, dropped, a file made meanwhile", TemporaryNaming::kUnnamed,
         Before::kAppearsMeanwhile, false, "alt"},
    };
    // Made and named by the folder's path, or through the folder opened, naming an unnamed
    // file as the run has not learnt yet or through /proc.
    struct Way {
        const char* label;
        bool throughFolder;
        std::optional<std::optional<bool>> linksByDescriptor;  // none: not given
    };
    const Way ways[] = {
        {"by path", false, std::nullopt},
        {"through the folder, the way to link not known yet", true, std::optional<bool>()},
        {"through the folder, linked through /proc", true, std::optional<bool>(false)},
    };
    for (const auto& [c, way] : CasesInEachWay(cases, ways)) {
        SCOPED_TRACE(c.label);
        SCOPED_TRACE(way.label);
        const test::TempTree tree;
        tree.MakeDirectory("Sim");
        const std::string folder = tree.HostPath("Sim");
        const bool unnamed = c.naming == TemporaryNaming::kUnnamed && MakesUnnamedFiles(folder);
        if (c.before == Before::kOldFile) {
            tree.WriteFile("Sim\\Haus.dat", "alt");
        }
        const UniqueFd folderFd(
            way.throughFolder ? ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC) : -1);
        std::optional<bool> linksByDescriptor = way.linksByDescriptor.value_or(std::nullopt);
        const bool learnt = linksByDescriptor.has_value();
        {
            TemporaryFile file(folder, kNewFileMode, c.naming, folderFd.Get(),
                               way.linksByDescriptor ? &linksByDescriptor : nullptr);
            ASSERT_TRUE(file.IsOpen());
            ASSERT_EQ(::write(file.Fd(), "neu", 3), 3);
            // Unnamed, it is nowhere in the folder; named, it is its only new entry.
            EXPECT_EQ(file.Path().empty(), unnamed);
            const std::string old = c.before == Before::kOldFile ? "Haus.dat" : "";
            const std::string hidden = unnamed ? "" : file.Path().substr(folder.size() + 1);
            EXPECT_EQ(tree.ListHostNames("Sim"),
                      hidden + (!hidden.empty() && !old.empty() ? " " : "") + old);
            if (c.before == Before::kAppearsMeanwhile) {
                tree.WriteFile("Sim\\Haus.dat", "alt");
            }
            if (c.commit) {
                ASSERT_EQ(file.CommitAs(tree.HostPath("Sim\\Haus.dat")), 0);
            }
        }
        const bool targetLeft = c.left[0] != '\0';
        EXPECT_EQ(tree.ListHostNames("Sim"), targetLeft ? "Haus.dat" : "");
        // A link made tells the run how the next ones go (one onto a file made meanwhile is
        // none); known already, it stays.
        const bool linked =
            unnamed && c.commit && c.before == Before::kNothing && way.linksByDescriptor;
        EXPECT_EQ(linksByDescriptor.has_value(), learnt || linked);
        if (learnt) {
            EXPECT_EQ(linksByDescriptor, way.linksByDescriptor.value());
        }
        if (targetLeft) {
            EXPECT_EQ(tree.ReadFile("Sim\\Haus.dat"), c.left);
        }
    }
}

TEST(TemporaryFile, AFolderThatTakesNoFilesFailsEitherWay) {
    const test::TempTree tree;
    for (const TemporaryNaming naming : {TemporaryNaming::kNamed, TemporaryNaming::kUnnamed}) {
        const TemporaryFile file(tree.HostPath("Fehlt"), kNewFileMode, naming);
        EXPECT_FALSE(file.IsOpen());
        EXPECT_EQ(file.Error(), ENOENT);
    }
}

}  // namespace
}  // namespace quorvel::platform::posix
