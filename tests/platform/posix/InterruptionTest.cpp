// A run interrupted by a signal leaves no temporary file and a terminal as it found it; a
// broken pipe does not end it; and what a killed run left is removed by the next one.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <pty.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <string>

#include "platform/MachineHost.h"
#include "platform/posix/Interruption.h"
#include "platform/posix/TemporaryFile.h"
#include "platform/posix/UniqueFd.h"
#include "tests/support/ErrorCodePrinting.h"
#include "tests/support/TempTree.h"

namespace quorvel::platform::posix {
namespace {

// How a child process running `body` ended: its exit code, or 1000 + the signal that ended it.
int EndOfChild(const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(body());
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child) {
        return -1;
    }
    return WIFSIGNALED(status) ? 1000 + WTERMSIG(status) : WEXITSTATUS(status);
}

void SetModifiedSecondsAgo(const std::string& hostPath, time_t seconds) {
    const timespec times[2] = {{::time(nullptr) - seconds, 0}, {::time(nullptr) - seconds, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, hostPath.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << hostPath;
}

TEST(Interruption, ASignalRemovesTheTemporaryFilesAndGivesTheTerminalBack) {
    for (const int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signalNumber);
        const test::TempTree tree;
        tree.MakeDirectory("Sim");
        int master = -1;
        int terminal = -1;
        ASSERT_EQ(::openpty(&master, &terminal, nullptr, nullptr, nullptr), 0);
        const UniqueFd masterOwner(master);
        const UniqueFd terminalOwner(terminal);
        termios cooked{};
        ASSERT_EQ(::tcgetattr(terminal, &cooked), 0);
        ASSERT_NE(cooked.c_lflag & ICANON, 0u);

        const std::string folder = tree.HostPath("Sim");
        const int end = EndOfChild([&] {
            HandleInterruptions();
            RememberTerminalSettings(terminal, cooked);
            termios raw = cooked;
            raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
            ::tcsetattr(terminal, TCSANOW, &raw);
            TemporaryFile first(folder, 0600);
            TemporaryFile second(folder, 0600);
            TemporaryFile unnamed(folder, 0600, TemporaryNaming::kUnnamed);
            if (!first.IsOpen() || !second.IsOpen() || !unnamed.IsOpen() ||
                ::write(first.Fd(), "halb", 4) != 4) {
                return 2;
            }
            ::raise(signalNumber);
            return 3;  // not reached: the signal ends the program
        });
        EXPECT_EQ(end, 1000 + signalNumber);
        EXPECT_EQ(tree.ListHostNames("Sim"), "") << "temporary files were left";
        termios after{};
        ASSERT_EQ(::tcgetattr(terminal, &after), 0);
        EXPECT_NE(after.c_lflag & ICANON, 0u) << "the terminal stayed raw";
        EXPECT_NE(after.c_lflag & ECHO, 0u);
    }
}

TEST(Interruption, IgnoredSignalsStayIgnoredAndABrokenPipeEndsNothing) {
    EXPECT_EQ(EndOfChild([] {
                  ::signal(SIGHUP, SIG_IGN);  // as nohup starts a program
                  HandleInterruptions();
                  ::raise(SIGHUP);
                  return 7;
              }),
              7);
    EXPECT_EQ(EndOfChild([] {
                  HandleInterruptions();
                  int ends[2];
                  if (::pipe(ends) != 0) {
                      return 2;
                  }
                  ::close(ends[0]);
                  const bool broken = ::write(ends[1], "x", 1) < 0 && errno == EPIPE;
                  return broken ? 0 : 3;  // the write fails, the program goes on
              }),
              0);
}

TEST(Interruption, TheNextRunRemovesOnlyWhatAKilledRunLeft) {
    const test::TempTree tree;
    tree.MakeDirectory("Sim");
    const std::string folder = tree.HostPath("Sim");
    struct Case {
        std::string name;
        time_t age;  // seconds since its last write
        bool removed;
    };
    const Case cases[] = {
        {".quorvel-0123456789abcdef.tmp", 60, true},
        {".quorvel-fedcba9876543210.tmp", 3600 * 24, true},
        {".quorvel-00000000000000ff.tmp", 0, false},   // written just now: perhaps another run's
        {".quorvel-0123456789ABCDEF.tmp", 60, false},  // not this program's naming
        {".quorvel-0123456789abcde.tmp", 60, false},
        {".quorvel-0123456789abcdef.tmp.bak", 60, false},
        {"quorvel-0123456789abcdef.tmp", 60, false},
        {"Haus.dat", 60, false},
    };
    for (const Case& c : cases) {
        tree.WriteFile("Sim\\" + c.name, "halb");
        SetModifiedSecondsAgo(tree.HostPath("Sim\\" + c.name), c.age);
    }
    // Of the naming, but a folder and a link: not files a run wrote.
    tree.MakeDirectory("Sim\\.quorvel-1111111111111111.tmp");
    ASSERT_EQ(::symlink("Haus.dat", (folder + "/.quorvel-2222222222222222.tmp").c_str()), 0);
    // One that a running program still writes, untouched for a while.
    TemporaryFile inProgress(folder, 0600);
    ASSERT_TRUE(inProgress.IsOpen());
    SetModifiedSecondsAgo(inProgress.Path(), 60);

    EXPECT_EQ(RemoveLeftOverTemporaryFiles(folder), 2u);
    for (const Case& c : cases) {
        EXPECT_EQ(tree.Exists("Sim\\" + c.name), !c.removed) << c.name;
    }
    EXPECT_TRUE(tree.IsDirectory("Sim\\.quorvel-1111111111111111.tmp"));
    EXPECT_EQ(::access(inProgress.Path().c_str(), F_OK), 0) << "removed while it was written";
    EXPECT_EQ(::access((folder + "/.quorvel-2222222222222222.tmp").c_str(), F_OK), 0);
}

TEST(Interruption, ACopyIntoAFolderClearsItOfLeftOvers) {
    const test::TempTree tree;
    tree.WriteFile("Paket\\Haus.dat", "neu");
    tree.WriteFile("Sim\\.quorvel-0123456789abcdef.tmp", std::string(1 << 20, 'x'));
    tree.WriteFile("Sim\\Resourcen\\.quorvel-0123456789abcdef.tmp", "halb");
    SetModifiedSecondsAgo(tree.HostPath("Sim\\.quorvel-0123456789abcdef.tmp"), 600);
    SetModifiedSecondsAgo(tree.HostPath("Sim\\Resourcen\\.quorvel-0123456789abcdef.tmp"), 600);
    MachineHost host;
    ASSERT_EQ(host.CopyFileReplacing(tree.Path("Paket\\Haus.dat"), tree.Path("Sim\\Haus.dat")),
              ErrorCode::kSuccess);
    EXPECT_EQ(tree.ListHostNames("Sim"), "Haus.dat Resourcen");
    EXPECT_TRUE(tree.Exists("Sim\\Resourcen\\.quorvel-0123456789abcdef.tmp"))
        << "only the folders written to are cleared";
}

}  // namespace
}  // namespace quorvel::platform::posix
