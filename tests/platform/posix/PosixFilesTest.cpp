// What only a POSIX system shows of the file calls: write protection emulated for root and
// checked for other users, permissions kept, full disks, links, FIFOs and the copy paths.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "platform/MachineHost.h"
#include "platform/posix/FileData.h"
#include "platform/posix/FileTimes.h"
#include "platform/posix/UniqueFd.h"
#include "tests/platform/posix/ScopedEnvironment.h"
#include "tests/support/ErrorCodePrinting.h"
#include "tests/support/SizeAndTimeBothWays.h"
#include "tests/support/TempTree.h"

namespace quorvel::platform {
namespace {

namespace fs = std::filesystem;

MachineHost host;

mode_t ModeOf(const std::string& hostPath) {
    struct stat status {};
    EXPECT_EQ(::stat(hostPath.c_str(), &status), 0) << hostPath;
    return status.st_mode & 07777;
}

ino_t InodeOf(const std::string& hostPath) {
    struct stat status {};
    EXPECT_EQ(::stat(hostPath.c_str(), &status), 0) << hostPath;
    return status.st_ino;
}

// Runs `body` in a child process and returns its exit code (-1 when it did not exit).
int InChild(const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(body());
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

// A file of `bytes` size with varying content.
std::string Content(std::size_t bytes) {
    std::string content(bytes, '\0');
    for (std::size_t i = 0; i < bytes; ++i) {
        content[i] = static_cast<char>((i * 7919) >> 5);
    }
    return content;
}

TEST(PosixFiles, OwnerWithoutWritePermissionIsReadOnlyEvenForRoot) {
    const test::TempTree tree;
    tree.WriteFile("Paket\\Haus.dat", "neu");
    tree.WriteFile("Sim\\Haus.dat", "alt");
    ::chmod(tree.HostPath("Sim\\Haus.dat").c_str(), 0466);  // others may write, the owner not

    EXPECT_FALSE(IsSuccess(
        host.CopyFileReplacing(tree.Path("Paket\\Haus.dat"), tree.Path("Sim\\Haus.dat"))));
    EXPECT_EQ(host.ReplaceFileContent(tree.Path("Sim\\Haus.dat"), "neu"), ErrorCode::kAccessDenied);
    EXPECT_EQ(tree.ReadFile("Sim\\Haus.dat"), "alt");
    EXPECT_EQ(ModeOf(tree.HostPath("Sim\\Haus.dat")), 0466u);
    host.ResetFileAttributes(tree.Path("Sim\\Haus.dat"));
    EXPECT_EQ(ModeOf(tree.HostPath("Sim\\Haus.dat")), 0666u);  // the owner's write bit only
}

TEST(PosixFiles, FileOthersOwnIsReadOnlyForAnOrdinaryUser) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to act as another user";
    }
    const test::TempTree tree;
    tree.WriteFile("Paket\\Haus.dat", "neu");
    tree.WriteFile("Sim\\Haus.dat", "alt");  // root's, 0644
    for (const char* folder : {"", "Paket", "Sim"}) {
        ::chmod(tree.HostPath(folder).c_str(), 0777);
    }
    const int result = InChild([&] {
        constexpr uid_t kNobody = 65534;
        if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) {
            return 10;
        }
        const bool copied = IsSuccess(
            host.CopyFileReplacing(tree.Path("Paket\\Haus.dat"), tree.Path("Sim\\Haus.dat")));
        const ErrorCode replaced = host.ReplaceFileContent(tree.Path("Sim\\Haus.dat"), "x");
        return copied ? 11 : replaced == ErrorCode::kAccessDenied ? 0 : 12;
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(tree.ReadFile("Sim\\Haus.dat"), "alt");
    EXPECT_EQ(tree.ListHostNames("Sim"), "Haus.dat");
}

// Sets the umask for the scope.
class ScopedUmask {
public:
    explicit ScopedUmask(mode_t mask) : previous_(::umask(mask)) {}
    ~ScopedUmask() { ::umask(previous_); }
    ScopedUmask(const ScopedUmask&) = delete;
    ScopedUmask& operator=(const ScopedUmask&) = delete;

private:
    mode_t previous_;
};

TEST(PosixFiles, NewFilesGetWinesModeAndReplacedOnesKeepTheirOwn) {
    const test::TempTree tree;
    tree.WriteFile("Paket\\Offen.dat", "offen");
    ::chmod(tree.HostPath("Paket\\Offen.dat").c_str(), 0777);
    tree.WriteFile("Paket\\Fest.dat", "fest");
    ::chmod(tree.HostPath("Paket\\Fest.dat").c_str(), 0444);
    tree.MakeDirectory("Sim");
    for (const mode_t mask : {mode_t{022}, mode_t{077}, mode_t{002}}) {
        SCOPED_TRACE(mask);
        const ScopedUmask umask(mask);
        const std::string suffix = std::to_string(mask);
        // The package file's mode is not taken: 0666 less the umask, read-only kept as such.
        ASSERT_EQ(
            host.CopyFileReplacing(tree.Path("Paket\\Offen.dat"), tree.Path("Sim\\O" + suffix)),
            ErrorCode::kSuccess);
        EXPECT_EQ(ModeOf(tree.HostPath("Sim\\O" + suffix)), 0666u & ~mask);
        ASSERT_EQ(
            host.CopyFileReplacing(tree.Path("Paket\\Fest.dat"), tree.Path("Sim\\F" + suffix)),
            ErrorCode::kSuccess);
        EXPECT_EQ(ModeOf(tree.HostPath("Sim\\F" + suffix)), 0444u & ~mask);
        ASSERT_EQ(host.ReplaceFileContent(tree.Path("Sim\\N" + suffix), "neu"),
                  ErrorCode::kSuccess);
        EXPECT_EQ(ModeOf(tree.HostPath("Sim\\N" + suffix)), 0666u & ~mask);
        ASSERT_EQ(host.CreateOneDirectory(tree.Path("Sim\\D" + suffix)), ErrorCode::kSuccess);
        EXPECT_EQ(ModeOf(tree.HostPath("Sim\\D" + suffix)), 0777u & ~mask);
    }
    // A replaced file keeps its mode, whatever the package file's or the umask.
    for (const mode_t old : {mode_t{0600}, mode_t{0640}, mode_t{0755}}) {
        SCOPED_TRACE(old);
        tree.WriteFile("Sim\\Alt.dat", "alt");
        tree.WriteFile("Sim\\Alt.txt", "alt");
        ::chmod(tree.HostPath("Sim\\Alt.dat").c_str(), old);
        ::chmod(tree.HostPath("Sim\\Alt.txt").c_str(), old);
        const ScopedUmask umask(077);
        ASSERT_EQ(host.CopyFileReplacing(tree.Path("Paket\\Offen.dat"), tree.Path("Sim\\Alt.dat")),
                  ErrorCode::kSuccess);
        EXPECT_EQ(ModeOf(tree.HostPath("Sim\\Alt.dat")), old);
        EXPECT_EQ(tree.ReadFile("Sim\\Alt.dat"), "offen");
        ASSERT_EQ(host.ReplaceFileContent(tree.Path("Sim\\Alt.txt"), "neu"), ErrorCode::kSuccess);
        EXPECT_EQ(ModeOf(tree.HostPath("Sim\\Alt.txt")), old);
    }
}

// Whatever mode a copy leaves, the reset after it leaves a file its owner may write; what a
// copy left is not taken on trust once another copy of the same file failed.
TEST(PosixFiles, TheResetAfterACopyLeavesAFileItsOwnerMayWrite) {
    const test::TempTree tree;
    tree.WriteFile("Paket\\Offen.dat", "offen");
    ::chmod(tree.HostPath("Paket\\Offen.dat").c_str(), 0644);
    tree.WriteFile("Paket\\Fest.dat", "fest");
    ::chmod(tree.HostPath("Paket\\Fest.dat").c_str(), 0444);
    tree.MakeDirectory("Sim");
    struct Case {
        const char* source;
        mode_t mask;
        const char* destination;
    };
    const Case cases[] = {
        {"Paket\\Offen.dat", 022, "Sim\\Offen.dat"},
        {"Paket\\Fest.dat", 022, "Sim\\Fest.dat"},        // copied read-only
        {"Paket\\Offen.dat", 0222, "Sim\\Maskiert.dat"},  // made read-only by the umask
        {"Paket\\Offen.dat", 022, "Sim\\Fest.dat"},       // replacing one made writable
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.source) + " -> " + c.destination);
        const ScopedUmask umask(c.mask);
        ASSERT_EQ(host.CopyFileReplacing(tree.Path(c.source), tree.Path(c.destination)),
                  ErrorCode::kSuccess);
        host.ResetFileAttributes(tree.Path(c.destination));
        EXPECT_EQ(ModeOf(tree.HostPath(c.destination)), 0644u);
    }
    // Copied, made read-only by another program, not replaced by the next copy: reset.
    const std::string offen = tree.Path("Sim\\Offen.dat");
    ASSERT_EQ(host.CopyFileReplacing(tree.Path("Paket\\Offen.dat"), offen), ErrorCode::kSuccess);
    ::chmod(tree.HostPath("Sim\\Offen.dat").c_str(), 0444);
    EXPECT_EQ(host.CopyFileReplacing(tree.Path("Paket\\Fest.dat"), offen),
              ErrorCode::kAccessDenied);
    host.ResetFileAttributes(offen);
    EXPECT_EQ(ModeOf(tree.HostPath("Sim\\Offen.dat")), 0644u);
    // Another file than the one just copied is looked at.
    ASSERT_EQ(host.CopyFileReplacing(tree.Path("Paket\\Offen.dat"), offen), ErrorCode::kSuccess);
    ::chmod(tree.HostPath("Sim\\Fest.dat").c_str(), 0444);
    host.ResetFileAttributes(tree.Path("Sim\\Fest.dat"));
    EXPECT_EQ(ModeOf(tree.HostPath("Sim\\Fest.dat")), 0644u);
}

// The name as given is what is opened; where it leads nowhere, no other spelling is taken.
TEST(PosixFiles, AnExactNameThatLeadsNowhereIsNotOpenedInAnotherSpelling) {
    const test::TempTree tree;
    tree.WriteFile("Sim\\HAUS.DAT", "gross");
    fs::create_symlink(tree.HostPath("Sim\\Fehlt.dat"), tree.HostPath("Sim\\Haus.dat"));
    EXPECT_FALSE(host.OpenFileForRead(tree.Path("Sim\\Haus.dat")).IsValid());
    EXPECT_FALSE(
        IsSuccess(host.CopyFileReplacing(tree.Path("Sim\\Haus.dat"), tree.Path("Sim\\Kopie.dat"))));
    EXPECT_EQ(tree.ListHostNames("Sim"), "HAUS.DAT Haus.dat");
    EXPECT_TRUE(host.OpenFileForRead(tree.Path("Sim\\HAUS.DAT")).IsValid());
    ASSERT_EQ(host.CopyFileReplacing(tree.Path("Sim\\HAUS.DAT"), tree.Path("Sim\\Kopie.dat")),
              ErrorCode::kSuccess);
    EXPECT_EQ(tree.ReadFile("Sim\\Kopie.dat"), "gross");
}

TEST(PosixFiles, ReplacedFilesKeepTheirExtendedAttributes) {
    const test::TempTree tree;
    tree.WriteFile("Paket\\Haus.dat", "neu");
    tree.WriteFile("Sim\\Haus.dat", "alt");
    tree.WriteFile("Sim\\Texturen.txt", "alt");
    const std::string value = "Bahnhof Nord";
    for (const char* name : {"Sim\\Haus.dat", "Sim\\Texturen.txt"}) {
        if (::setxattr(tree.HostPath(name).c_str(), "user.quelle", value.data(), value.size(), 0) !=
            0) {
            GTEST_SKIP() << "the test folder's file system keeps no user attributes";
        }
    }
    ASSERT_EQ(host.CopyFileReplacing(tree.Path("Paket\\Haus.dat"), tree.Path("Sim\\Haus.dat")),
              ErrorCode::kSuccess);
    ASSERT_EQ(host.ReplaceFileContent(tree.Path("Sim\\Texturen.txt"), "neu"), ErrorCode::kSuccess);
    for (const char* name : {"Sim\\Haus.dat", "Sim\\Texturen.txt"}) {
        char kept[64] = {};
        const ssize_t size =
            ::getxattr(tree.HostPath(name).c_str(), "user.quelle", kept, sizeof kept);
        EXPECT_EQ(std::string(kept, size > 0 ? static_cast<std::size_t>(size) : 0), value) << name;
        EXPECT_EQ(tree.ReadFile(name), "neu");
    }
}

TEST(PosixFiles, CopiesKeepTheHolesOfSparseFiles) {
    const test::TempTree tree;
    constexpr off_t kSize = off_t{256} << 20;  // 256 MiB, almost all of it holes
    const std::string middle = "Mitte";
    const std::string end = "Ende";
    {
        const posix::UniqueFd file(
            ::open(tree.HostPath("Leer.dat").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644));
        ASSERT_TRUE(file.IsValid());
        ASSERT_EQ(::pwrite(file.Get(), middle.data(), middle.size(), kSize / 2),
                  static_cast<ssize_t>(middle.size()));
        ASSERT_EQ(::pwrite(file.Get(), end.data(), end.size(), kSize - 4),
                  static_cast<ssize_t>(end.size()));
    }
    struct stat source {};
    ASSERT_EQ(::stat(tree.HostPath("Leer.dat").c_str(), &source), 0);
    if (source.st_blocks * 512 > kSize / 4) {
        GTEST_SKIP() << "the test folder's file system keeps no holes";
    }
    // A hole at the end, too: a file of holes only.
    tree.WriteFile("Nichts.dat", "");
    ASSERT_EQ(::truncate(tree.HostPath("Nichts.dat").c_str(), kSize), 0);

    for (const char* name : {"Leer.dat", "Nichts.dat"}) {
        SCOPED_TRACE(name);
        const std::string copy = std::string("Kopie-") + name;
        ASSERT_EQ(host.CopyFileReplacing(tree.Path(name), tree.Path(copy)), ErrorCode::kSuccess);
        struct stat copied {};
        ASSERT_EQ(::stat(tree.HostPath(copy).c_str(), &copied), 0);
        EXPECT_EQ(copied.st_size, kSize);
        EXPECT_LE(copied.st_blocks * 512, 1 << 20) << "the holes were written out";
    }
    const std::string content = tree.ReadFile("Kopie-Leer.dat");
    EXPECT_EQ(content, tree.ReadFile("Leer.dat"));
    EXPECT_EQ(content.substr(static_cast<std::size_t>(kSize / 2), middle.size()), middle);
}

// A destination that holds the source's bytes and time already is left as it is (the same
// file, not a new one); anything else about it that differs makes a new copy as before.
TEST(PosixFiles, ADestinationThatHoldsTheCopyAlreadyIsLeftAsItIs) {
    const std::string content = Content(300 * 1024);  // more than one piece of the comparison
    std::string lastByteDiffers = content;
    lastByteDiffers.back() = static_cast<char>(lastByteDiffers.back() ^ 1);
    struct Case {
        const char* name;
        std::string destination;
        std::uint64_t destinationTime;  // the source's is test::FileTimeAt(0)
        bool readOnly;
        bool leftAsItIs;
        ErrorCode result;
    };
    const Case cases[] = {
        {"equal", content, test::FileTimeAt(0), false, true, ErrorCode::kSuccess},
        {"last byte differs", lastByteDiffers, test::FileTimeAt(0), false, false,
         ErrorCode::kSuccess},
        {"shorter", content.substr(1), test::FileTimeAt(0), false, false, ErrorCode::kSuccess},
        {"older", content, test::FileTimeAt(-1), false, false, ErrorCode::kSuccess},
        {"newer by 100 ns", content, test::FileTimeAt(0) + 1, false, false, ErrorCode::kSuccess},
        {"equal but read-only", content, test::FileTimeAt(0), true, true, ErrorCode::kAccessDenied},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const test::TempTree tree;
        tree.WriteFile("Paket\\Haus.dat", content);
        tree.SetLastWriteTime("Paket\\Haus.dat", test::FileTimeAt(0));
        tree.WriteFile("Sim\\Haus.dat", c.destination);
        tree.SetLastWriteTime("Sim\\Haus.dat", c.destinationTime);
        tree.SetReadOnly("Sim\\Haus.dat", c.readOnly);
        const ino_t before = InodeOf(tree.HostPath("Sim\\Haus.dat"));

        EXPECT_EQ(host.CopyFileReplacing(tree.Path("Paket\\Haus.dat"), tree.Path("Sim\\Haus.dat")),
                  c.result);
        EXPECT_EQ(InodeOf(tree.HostPath("Sim\\Haus.dat")) == before, c.leftAsItIs);
        if (IsSuccess(c.result)) {
            EXPECT_EQ(tree.ReadFile("Sim\\Haus.dat"), content);
            EXPECT_EQ(tree.LastWriteTime("Sim\\Haus.dat"), test::FileTimeAt(0));
        }
        tree.SetReadOnly("Sim\\Haus.dat", false);
    }
}

TEST(PosixFiles, ASmallCopyTellsWhatItWroteAndNoOtherCopyDoes) {
    struct Case {
        const char* name;
        std::size_t size;
        bool destinationExists;
        bool sourceExists;
        bool told;
    };
    const Case cases[] = {
        {"new small file", 1024, false, true, true},
        {"small file replacing one", 1024, true, true, true},
        {"largest told", 256 * 1024, false, true, true},
        {"one byte more", 256 * 1024 + 1, false, true, false},
        {"empty file", 0, false, true, false},
        {"failed copy", 1024, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const test::TempTree tree;
        tree.WriteFile("Paket\\Vorher.dat", "davor");
        tree.MakeDirectory("Sim");
        const std::string content = Content(c.size);
        if (c.sourceExists) {
            tree.WriteFile("Paket\\Haus.dat", content);
            tree.SetLastWriteTime("Paket\\Haus.dat", test::FileTimeAt(7) + 3);
        }
        if (c.destinationExists) {
            tree.WriteFile("Sim\\Haus.dat", "alt");
        }
        // What a copy before told is not told for the next one.
        ASSERT_TRUE(IsSuccess(
            host.CopyFileReplacing(tree.Path("Paket\\Vorher.dat"), tree.Path("Sim\\Vorher.dat"))));
        ASSERT_NE(host.LastCopiedFile(), nullptr);

        const std::string destination = tree.Path("Sim\\haus.DAT");
        EXPECT_EQ(IsSuccess(host.CopyFileReplacing(tree.Path("Paket\\Haus.dat"), destination)),
                  c.sourceExists);
        const CopiedFile* copied = host.LastCopiedFile();
        ASSERT_EQ(copied != nullptr, c.told);
        if (copied != nullptr) {
            const Result<FileSizeAndTime> now = host.QueryFileSizeAndTime(destination);
            ASSERT_TRUE(now);
            EXPECT_EQ(copied->destination, destination);
            EXPECT_EQ(copied->facts.size, now->size);
            EXPECT_EQ(copied->facts.lastWrite, now->lastWrite);
            EXPECT_EQ(copied->bytes, content);
            EXPECT_EQ(tree.ReadFile(c.destinationExists ? "Sim\\Haus.dat" : "Sim\\haus.DAT"),
                      content);
        }
    }
}

TEST(PosixFiles, ACopyTrustsAComparisonJustBeforeOnlyWhileNeitherFileChanged) {
    const std::string content = Content(100 * 1024);
    std::string changed = content;
    changed[50000] = static_cast<char>(changed[50000] ^ 1);
    struct Case {
        const char* name;
        const char* compared;   // the file compared with the destination
        const char* rewritten;  // rewritten with `changed`, size and time kept, or null
        bool foundEqual;        // what the comparison said
        bool leftAsItIs;
    };
    const Case cases[] = {
        {"compared and unchanged", "Paket\\Haus.dat", nullptr, true, true},
        {"destination changed since", "Paket\\Haus.dat", "Sim\\Haus.dat", true, false},
        {"source changed since", "Paket\\Haus.dat", "Paket\\Haus.dat", true, false},
        {"another file compared", "Paket\\Kopie.dat", nullptr, true, true},
        {"found different", "Paket\\Anders.dat", nullptr, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const test::TempTree tree;
        for (const char* file : {"Paket\\Haus.dat", "Paket\\Kopie.dat", "Sim\\Haus.dat"}) {
            tree.WriteFile(file, content);
        }
        tree.WriteFile("Paket\\Anders.dat", changed);
        for (const char* file :
             {"Paket\\Haus.dat", "Paket\\Kopie.dat", "Paket\\Anders.dat", "Sim\\Haus.dat"}) {
            tree.SetLastWriteTime(file, test::FileTimeAt(0));
        }
        const ino_t before = InodeOf(tree.HostPath("Sim\\Haus.dat"));

        EXPECT_EQ(host.CompareFileBytes(tree.Path("Sim\\Haus.dat"), tree.Path(c.compared)),
                  std::optional<bool>(c.foundEqual));
        if (c.rewritten != nullptr) {
            tree.WriteFile(c.rewritten, changed);
            tree.SetLastWriteTime(c.rewritten, test::FileTimeAt(0));
        }
        ASSERT_TRUE(IsSuccess(
            host.CopyFileReplacing(tree.Path("Paket\\Haus.dat"), tree.Path("Sim\\Haus.dat"))));
        EXPECT_EQ(InodeOf(tree.HostPath("Sim\\Haus.dat")) == before, c.leftAsItIs);
        EXPECT_EQ(tree.ReadFile("Sim\\Haus.dat"), tree.ReadFile("Paket\\Haus.dat"));
    }
}

TEST(PosixFiles, FullDiskLeavesTheOldFileAndNoTemporaryFile) {
    // Copied through memory, and by the kernel.
    for (const std::size_t size : {std::size_t{100000}, std::size_t{300000}}) {
        SCOPED_TRACE(size);
        const test::TempTree tree;
        const std::string old = Content(100);
        tree.WriteFile("Paket\\Gross.dat", Content(size));
        tree.WriteFile("Sim\\Gross.dat", old);
        tree.SetLastWriteTime("Sim\\Gross.dat", test::FileTimeAt(5));

        // A file size limit makes every write past 64 KiB fail with EFBIG, as a full disk does
        // with ENOSPC; both are reported as a full disk.
        const int result = InChild([&] {
            ::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{65536, 65536};
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
                return 10;
            }
            if (IsSuccess(host.CopyFileReplacing(tree.Path("Paket\\Gross.dat"),
                                                 tree.Path("Sim\\Gross.dat")))) {
                return 11;
            }
            const ErrorCode replaced =
                host.ReplaceFileContent(tree.Path("Sim\\Gross.dat"), Content(200000));
            if (replaced != ErrorCode::kDiskFull) {
                return 12;
            }
            // A destination that is not there yet is made without a name until it is whole.
            const ErrorCode created =
                host.CopyFileReplacing(tree.Path("Paket\\Gross.dat"), tree.Path("Sim\\Neu.dat"));
            return created == ErrorCode::kDiskFull ? 0 : 13;
        });
        EXPECT_EQ(result, 0);
        EXPECT_EQ(tree.ReadFile("Sim\\Gross.dat"), old);
        EXPECT_EQ(tree.LastWriteTime("Sim\\Gross.dat"), test::FileTimeAt(5));
        EXPECT_EQ(tree.ListHostNames("Sim"), "Gross.dat");
    }
}

TEST(PosixFiles, UmlautNamesBecomeUtf8AndAreReplacedInPlace) {
    const test::TempTree tree;
    tree.WriteFile("Paket\\H\xE4user.dat", "eins");
    tree.MakeDirectory("Sim");
    ASSERT_TRUE(IsSuccess(
        host.CopyFileReplacing(tree.Path("Paket\\H\xE4user.dat"), tree.Path("Sim\\Stra\xDF"
                                                                            "e.dat"))));
    EXPECT_EQ(tree.ListHostNames("Sim"),
              "Stra\xC3\x9F"
              "e.dat");
    tree.WriteFile("Paket\\H\xE4user.dat", "zwei");
    ASSERT_TRUE(IsSuccess(
        host.CopyFileReplacing(tree.Path("PAKET\\H\xC4USER.DAT"), tree.Path("SIM\\STRA\xDF"
                                                                            "E.DAT"))));
    EXPECT_EQ(tree.ListHostNames("Sim"),
              "Stra\xC3\x9F"
              "e.dat");
    EXPECT_EQ(tree.ReadFile("Sim\\Stra\xDF"
                            "e.dat"),
              "zwei");
    EXPECT_EQ(host.CreateOneDirectory(tree.Path("Sim\\\xD6l")), ErrorCode::kSuccess);
    EXPECT_TRUE(fs::is_directory(tree.HostPath("Sim") + "/\xC3\x96l"));
    EXPECT_EQ(host.CreateOneDirectory(tree.Path("Sim\\\xF6L")), ErrorCode::kAlreadyExists);
}

// The host keeps what it learnt of its folders for the whole run: what it made itself, and
// what other programs change meanwhile, is found as without that knowledge.
TEST(PosixFiles, FoldersTheRunKnowsAreSeenAsTheyAreNow) {
    const test::TempTree tree;
    tree.WriteFile("Paket\\Eins.dat", "eins");
    tree.WriteFile("Paket\\Zwei.dat", "zwei");
    tree.MakeDirectory("Sim");
    const std::string eins = tree.Path("Paket\\Eins.dat");
    const std::string zwei = tree.Path("Paket\\Zwei.dat");

    // A folder the run made, and a file it wrote, named in another case.
    ASSERT_EQ(host.CreateOneDirectory(tree.Path("Sim\\Neu")), ErrorCode::kSuccess);
    ASSERT_EQ(host.CopyFileReplacing(eins, tree.Path("SIM\\NEU\\Datei.dat")), ErrorCode::kSuccess);
    ASSERT_EQ(host.CopyFileReplacing(zwei, tree.Path("sim\\neu\\DATEI.DAT")), ErrorCode::kSuccess);
    EXPECT_EQ(tree.ListHostNames("Sim\\Neu"), "Datei.dat");
    EXPECT_EQ(tree.ReadFile("Sim\\Neu\\Datei.dat"), "zwei");
    EXPECT_EQ(host.CreateOneDirectory(tree.Path("SIM\\nEU")), ErrorCode::kAlreadyExists);

    // A destination another program makes in another case after the run looked for it.
    EXPECT_FALSE(host.OpenFileForRead(tree.Path("Sim\\Fremd.dat")).IsValid());
    tree.WriteFile("Sim\\FREMD.DAT", "fremd");
    EXPECT_TRUE(host.OpenFileForRead(tree.Path("Sim\\Fremd.dat")).IsValid());
    ASSERT_EQ(host.CopyFileReplacing(eins, tree.Path("Sim\\Fremd.dat")), ErrorCode::kSuccess);
    EXPECT_EQ(tree.ListHostNames("Sim"), "FREMD.DAT Neu");
    EXPECT_EQ(tree.ReadFile("Sim\\FREMD.DAT"), "eins");

    // Removed by another program: the run's next copy makes the file in the case it gives.
    fs::remove(tree.HostPath("Sim\\FREMD.DAT"));
    EXPECT_FALSE(host.OpenFileForRead(tree.Path("Sim\\Fremd.dat")).IsValid());
    ASSERT_EQ(host.CopyFileReplacing(zwei, tree.Path("Sim\\Fremd.dat")), ErrorCode::kSuccess);
    EXPECT_EQ(tree.ListHostNames("Sim"), "Fremd.dat Neu");

    // A folder the run wrote into, renamed and replaced by a new one of the same name: the
    // next new file goes into the new one.
    fs::rename(tree.HostPath("Sim\\Neu"), tree.HostPath("Sim\\Alt"));
    tree.MakeDirectory("Sim\\Neu");
    ASSERT_EQ(host.CopyFileReplacing(zwei, tree.Path("Sim\\Neu\\Zweite.dat")), ErrorCode::kSuccess);
    EXPECT_EQ(tree.ListHostNames("Sim\\Neu"), "Zweite.dat");
    EXPECT_EQ(tree.ListHostNames("Sim\\Alt"), "Datei.dat");
    fs::remove_all(tree.HostPath("Sim\\Neu"));
    fs::rename(tree.HostPath("Sim\\Alt"), tree.HostPath("Sim\\Neu"));

    // A folder the run went through, renamed to another case and replaced by another one.
    fs::rename(tree.HostPath("Sim\\Neu"), tree.HostPath("Sim\\NEU"));
    EXPECT_EQ(tree.ReadFile("Sim\\NEU\\Datei.dat"), "zwei");
    ASSERT_EQ(host.CopyFileReplacing(eins, tree.Path("Sim\\Neu\\Datei.dat")), ErrorCode::kSuccess);
    EXPECT_EQ(tree.ListHostNames("Sim"), "Fremd.dat NEU");
    EXPECT_EQ(tree.ReadFile("Sim\\NEU\\Datei.dat"), "eins");
    fs::remove_all(tree.HostPath("Sim\\NEU"));
    EXPECT_EQ(host.CopyFileReplacing(eins, tree.Path("Sim\\Neu\\Datei.dat")),
              ErrorCode::kPathNotFound);
}

TEST(PosixFiles, ALinkedDestinationGetsTheContentAndStaysALink) {
    const test::TempTree tree;
    tree.WriteFile("Paket\\Haus.dat", "neu");
    tree.WriteFile("Lager\\Haus.dat", "alt");
    tree.MakeDirectory("Sim");
    fs::create_symlink(tree.HostPath("Lager\\Haus.dat"), tree.HostPath("Sim\\Haus.dat"));

    ASSERT_TRUE(IsSuccess(
        host.CopyFileReplacing(tree.Path("Paket\\Haus.dat"), tree.Path("Sim\\Haus.dat"))));
    EXPECT_TRUE(fs::is_symlink(tree.HostPath("Sim\\Haus.dat")));
    EXPECT_EQ(tree.ReadFile("Lager\\Haus.dat"), "neu");
    EXPECT_EQ(host.ReplaceFileContent(tree.Path("Sim\\Haus.dat"), "inhalt"), ErrorCode::kSuccess);
    EXPECT_TRUE(fs::is_symlink(tree.HostPath("Sim\\Haus.dat")));
    EXPECT_EQ(tree.ReadFile("Lager\\Haus.dat"), "inhalt");
    EXPECT_EQ(tree.ListHostNames("Lager"), "Haus.dat");
}

TEST(PosixFiles, OpensNeitherFifosNorFolders) {
    const test::TempTree tree;
    tree.MakeDirectory("Sim");
    ASSERT_EQ(::mkfifo(tree.HostPath("Sim\\Rohr").c_str(), 0600), 0);
    EXPECT_FALSE(host.OpenFileForRead(tree.Path("Sim\\Rohr")).IsValid());  // and does not hang
    EXPECT_FALSE(
        IsSuccess(host.CopyFileReplacing(tree.Path("Sim\\Rohr"), tree.Path("Sim\\Kopie"))));
    EXPECT_FALSE(host.OpenFileForRead(tree.Path("Sim")).IsValid());
    tree.WriteFile("Sim\\Haus.dat", "x");
    EXPECT_FALSE(host.OpenFileForRead(tree.Path("Sim\\Haus.dat\\")).IsValid());
}

// Asked by name, a link counts as what it leads to, as when it is opened; a FIFO, a folder
// behind a link and a link to nothing give nothing.
TEST(PosixFiles, SizeAndTimeByNameFollowLinksAsTheOpenDoes) {
    const test::TempTree tree;
    tree.WriteFile("Lager\\Haus.dat", "zwoelf Bytes");
    tree.SetLastWriteTime("Lager\\Haus.dat", test::FileTimeAt(3600) + 77);
    tree.MakeDirectory("Sim");
    fs::create_symlink(tree.HostPath("Lager\\Haus.dat"), tree.HostPath("Sim\\Verweis.dat"));
    fs::create_symlink(tree.HostPath("Lager"), tree.HostPath("Sim\\Ordner"));
    fs::create_symlink(tree.HostPath("Lager\\Fehlt.dat"), tree.HostPath("Sim\\Tot.dat"));
    ASSERT_EQ(::mkfifo(tree.HostPath("Sim\\Rohr").c_str(), 0600), 0);
    struct Case {
        const char* path;
        bool found;
    };
    const Case cases[] = {{"Sim\\Verweis.dat", true},
                          {"sim\\VERWEIS.DAT", true},
                          {"Sim\\Ordner", false},
                          {"Sim\\Tot.dat", false},
                          {"Sim\\Rohr", false}};
    for (const Case& c : cases) {
        const std::optional<FileSizeAndTime> facts =
            test::SizeAndTimeBothWays(host, tree.Path(c.path));
        ASSERT_EQ(facts.has_value(), c.found) << c.path;
        if (c.found) {
            EXPECT_EQ(facts->size, 12u);
            EXPECT_EQ(facts->lastWrite, test::FileTimeAt(3600) + 77);
        }
    }
}

TEST(PosixFiles, CopiesFilesWhoseSizeTheKernelDoesNotKnow) {
    const test::ScopedPrefix prefix;  // no dosdevices: Z: is /
    const test::TempTree tree;
    tree.MakeDirectory("Sim");
    ASSERT_TRUE(
        IsSuccess(host.CopyFileReplacing("Z:\\proc\\self\\status", tree.Path("Sim\\status"))));
    EXPECT_TRUE(tree.ReadFile("Sim\\status").starts_with("Name:"));
}

TEST(PosixFiles, BothCopyPathsCopyEveryByte) {
    const test::TempTree tree;
    const std::string content = Content(3 * 1024 * 1024 + 17);
    tree.WriteFile("Quelle.dat", content);
    for (const bool byKernel : {true, false}) {
        const posix::UniqueFd from(::open(tree.HostPath("Quelle.dat").c_str(), O_RDONLY));
        const posix::UniqueFd to(
            ::open(tree.HostPath("Ziel.dat").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600));
        struct stat status {};
        ASSERT_TRUE(from.IsValid() && to.IsValid() && ::fstat(from.Get(), &status) == 0);
        EXPECT_EQ(byKernel ? posix::CopyFileData(from.Get(), status, to.Get())
                           : posix::CopyFileDataByReadWrite(from.Get(), to.Get()),
                  0);
        EXPECT_EQ(tree.ReadFile("Ziel.dat"), content);
    }
}

TEST(PosixFiles, FileTimesCountFrom1601) {
    struct Case {
        timespec time;
        bool valid;
        FileTime fileTime;
    };
    const Case cases[] = {
        {{0, 0}, true, 116444736000000000u},
        {{0, 99}, true, 116444736000000000u},  // below 100 ns
        {{0, 999999999}, true, 116444736009999999u},
        {{-11644473600, 0}, true, 0u},
        {{-11644473601, 999999999}, false, 0u},
        {{1704067200, 500}, true, 133485408000000005u},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.time.tv_sec);
        FileTime fileTime = 0;
        EXPECT_EQ(posix::FileTimeOfTimespec(c.time, &fileTime), c.valid);
        EXPECT_EQ(fileTime, c.fileTime);
    }
}

TEST(PosixFiles, HandlesThatAreNoneFail) {
    char buffer[4];
    for (const FileHandle handle : {kInvalidFileHandle, FileHandle{1} << 40}) {
        UniqueFile file(handle);
        EXPECT_FALSE(GetLastWriteTime(file).Ok());
        EXPECT_FALSE(ReadFromFile(file, buffer, sizeof buffer).Ok());
        (void)file.Release();  // closing it would do nothing either
    }
}

}  // namespace
}  // namespace quorvel::platform
