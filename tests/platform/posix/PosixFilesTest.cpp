// What only a POSIX system shows of the file calls: write protection emulated for root and
// checked for other users, permissions kept, full disks, links, FIFOs and the copy paths.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

#include "platform/MachineHost.h"
#include "platform/posix/FileData.h"
#include "platform/posix/FileTimes.h"
#include "platform/posix/UniqueFd.h"
#include "tests/platform/posix/ScopedEnvironment.h"
#include "tests/support/ErrorCodePrinting.h"
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

TEST(PosixFiles, CopyKeepsTheSourcePermissionsAndReplaceKeepsTheOldOnes) {
    const test::TempTree tree;
    tree.WriteFile("Paket\\Start.sh", "#!/bin/sh\n");
    ::chmod(tree.HostPath("Paket\\Start.sh").c_str(), 0750);
    tree.WriteFile("Sim\\Start.sh", "alt");
    tree.WriteFile("Sim\\Geheim.txt", "alt");
    ::chmod(tree.HostPath("Sim\\Geheim.txt").c_str(), 0600);

    ASSERT_TRUE(IsSuccess(
        host.CopyFileReplacing(tree.Path("Paket\\Start.sh"), tree.Path("Sim\\Start.sh"))));
    EXPECT_EQ(ModeOf(tree.HostPath("Sim\\Start.sh")), 0750u);
    ASSERT_EQ(host.ReplaceFileContent(tree.Path("Sim\\Geheim.txt"), "neu"), ErrorCode::kSuccess);
    EXPECT_EQ(ModeOf(tree.HostPath("Sim\\Geheim.txt")), 0600u);

    // A new file gets 0644 less the umask.
    for (const mode_t mask : {mode_t{022}, mode_t{077}}) {
        const mode_t previous = ::umask(mask);
        const std::string name = "Sim\\Neu" + std::to_string(mask) + ".txt";
        EXPECT_EQ(host.ReplaceFileContent(tree.Path(name), "neu"), ErrorCode::kSuccess);
        ::umask(previous);
        EXPECT_EQ(ModeOf(tree.HostPath(name)), 0644u & ~mask);
    }
}

TEST(PosixFiles, FullDiskLeavesTheOldFileAndNoTemporaryFile) {
    const test::TempTree tree;
    const std::string old = Content(100);
    tree.WriteFile("Paket\\Gross.dat", Content(300000));
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
        return replaced == ErrorCode::kDiskFull ? 0 : 12;
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(tree.ReadFile("Sim\\Gross.dat"), old);
    EXPECT_EQ(tree.LastWriteTime("Sim\\Gross.dat"), test::FileTimeAt(5));
    EXPECT_EQ(tree.ListHostNames("Sim"), "Gross.dat");
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
    for (const auto copy : {&posix::CopyFileData, &posix::CopyFileDataByReadWrite}) {
        const posix::UniqueFd from(::open(tree.HostPath("Quelle.dat").c_str(), O_RDONLY));
        const posix::UniqueFd to(
            ::open(tree.HostPath("Ziel.dat").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600));
        ASSERT_TRUE(from.IsValid() && to.IsValid());
        EXPECT_EQ(copy(from.Get(), to.Get()), 0);
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
