// The file calls of the host under test, through the host interface only: the same cases run on
// Linux against the Wine-prefix emulation and under Wine against the Win32 calls.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/MachineHost.h"
#include "tests/support/ErrorCodePrinting.h"
#include "tests/support/SizeAndTimeBothWays.h"
#include "tests/support/TempTree.h"

namespace quorvel::platform {
namespace {

MachineHost host;

// An opened file, closed at the end of the scope.
class OpenedFile {
public:
    explicit OpenedFile(const std::string& path) : file_(host.OpenFileForRead(path)) {}

    bool IsOpen() const { return file_.IsValid(); }
    const UniqueFile& File() const { return file_; }

    std::string ReadAll() const {
        std::string content;
        char chunk[4096];
        Result<std::size_t> count = 0;
        while ((count = ReadFromFile(file_, chunk, sizeof chunk)) && *count > 0) {
            content.append(chunk, *count);
        }
        EXPECT_TRUE(count.Ok());
        return content;
    }

private:
    UniqueFile file_;
};

FileTime LastWriteOf(const std::string& path) {
    const OpenedFile file(path);
    const Result<FileTime> time =
        file.IsOpen() ? GetLastWriteTime(file.File()) : Result<FileTime>(ErrorCode::kFileNotFound);
    EXPECT_TRUE(time.Ok()) << path;
    return time ? *time : 0;
}

// A content several times the size of any copy buffer, with no repeating pattern of a
// power-of-two length.
std::string LargeContent() {
    std::string content(5 * 1024 * 1024 + 12345, '\0');
    std::uint32_t state = 12345;
    for (char& c : content) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 24);
    }
    return content;
}

TEST(HostFiles, OpensOnlyExistingFiles) {
    const test::TempTree tree;
    tree.WriteFile("Daten\\Haus.dat", std::string("ab\0cd\r\n", 7));

    const OpenedFile present(tree.Path("Daten\\Haus.dat"));
    ASSERT_TRUE(present.IsOpen());
    EXPECT_EQ(present.ReadAll(), std::string("ab\0cd\r\n", 7));

    EXPECT_FALSE(OpenedFile(tree.Path("Daten\\Fehlt.dat")).IsOpen());
    EXPECT_FALSE(OpenedFile(tree.Path("Fehlt\\Haus.dat")).IsOpen());
    EXPECT_FALSE(OpenedFile(tree.Path("Daten")).IsOpen());
    EXPECT_TRUE(OpenedFile(tree.Path("daten\\HAUS.DAT")).IsOpen());
}

TEST(HostFiles, LastWriteTimeKeepsFullPrecision) {
    const test::TempTree tree;
    tree.WriteFile("Haus.dat", "x");
    const FileTime times[] = {test::FileTimeAt(0), test::FileTimeAt(86400 * 365) + 1234567,
                              test::FileTimeAt(-86400 * 365 * 30) + 9999999};
    for (const FileTime time : times) {
        tree.SetLastWriteTime("Haus.dat", time);
        EXPECT_EQ(LastWriteOf(tree.Path("Haus.dat")), time);
    }
}

// Asked by name, a file's size and time are those its opened handle gives; what cannot be
// opened as a file gives none.
TEST(HostFiles, SizeAndTimeByNameAreThoseOfTheOpenedFile) {
    const test::TempTree tree;
    tree.WriteFile("Daten\\Haus.dat", std::string(70000, 'h'));
    tree.SetLastWriteTime("Daten\\Haus.dat", test::FileTimeAt(86400 * 365) + 1234567);
    tree.WriteFile("Daten\\Leer.dat", "");
    struct Case {
        const char* path;
        bool found;
    };
    const Case cases[] = {
        {"Daten\\Haus.dat", true},    {"daten\\HAUS.DAT", true},  {"Daten\\Leer.dat", true},
        {"Daten\\Fehlt.dat", false},  {"Fehlt\\Haus.dat", false}, {"Daten", false},
        {"Daten\\Haus.dat\\", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(test::SizeAndTimeBothWays(host, tree.Path(c.path)).has_value(), c.found)
            << c.path;
    }
    const std::optional<FileSizeAndTime> facts =
        test::SizeAndTimeBothWays(host, tree.Path("Daten\\Haus.dat"));
    ASSERT_TRUE(facts.has_value());
    EXPECT_EQ(facts->size, 70000u);
    EXPECT_EQ(facts->lastWrite, test::FileTimeAt(86400 * 365) + 1234567);
}

TEST(HostFiles, CopyKeepsContentAndLastWriteTime) {
    const test::TempTree tree;
    const std::string content = LargeContent();
    tree.WriteFile("Paket\\Gross.dat", content);
    const FileTime time = test::FileTimeAt(1000) + 4321;
    tree.SetLastWriteTime("Paket\\Gross.dat", time);
    tree.MakeDirectory("Sim");

    ASSERT_TRUE(IsSuccess(
        host.CopyFileReplacing(tree.Path("Paket\\Gross.dat"), tree.Path("Sim\\Gross.dat"))));
    EXPECT_EQ(tree.ReadFile("Sim\\Gross.dat"), content);
    EXPECT_EQ(tree.LastWriteTime("Sim\\Gross.dat"), time);
    EXPECT_EQ(tree.ListHostNames("Sim"), "Gross.dat");
}

TEST(HostFiles, CopyReplacesAWritableDestinationUnderItsOwnName) {
    const test::TempTree tree;
    tree.WriteFile("Paket\\Haus.dat", "neu");
    tree.WriteFile("Sim\\Haus.dat", "alt und laenger");

    ASSERT_TRUE(IsSuccess(
        host.CopyFileReplacing(tree.Path("Paket\\Haus.dat"), tree.Path("Sim\\HAUS.DAT"))));
    EXPECT_EQ(tree.ReadFile("Sim\\Haus.dat"), "neu");
    EXPECT_EQ(tree.ListHostNames("Sim"), "Haus.dat");
}

TEST(HostFiles, CopyOntoAReadOnlyDestinationFailsAndLeavesIt) {
    const test::TempTree tree;
    tree.WriteFile("Paket\\Haus.dat", "neu");
    tree.WriteFile("Sim\\Haus.dat", "alt");
    tree.SetLastWriteTime("Sim\\Haus.dat", test::FileTimeAt(7));
    tree.SetReadOnly("Sim\\Haus.dat", true);

    EXPECT_FALSE(IsSuccess(
        host.CopyFileReplacing(tree.Path("Paket\\Haus.dat"), tree.Path("Sim\\Haus.dat"))));
    EXPECT_EQ(tree.ReadFile("Sim\\Haus.dat"), "alt");
    EXPECT_EQ(tree.LastWriteTime("Sim\\Haus.dat"), test::FileTimeAt(7));
    EXPECT_TRUE(tree.IsReadOnly("Sim\\Haus.dat"));
    EXPECT_EQ(tree.ListHostNames("Sim"), "Haus.dat");
}

TEST(HostFiles, CopyFailuresLeaveTheDestinationFolderAsItWas) {
    const test::TempTree tree;
    tree.WriteFile("Paket\\Haus.dat", "neu");
    tree.WriteFile("Sim\\Haus.dat", "alt");
    tree.MakeDirectory("Sim\\Ordner");

    struct Case {
        const char* source;
        const char* destination;
    };
    const Case cases[] = {
        {"Paket\\Fehlt.dat", "Sim\\Haus.dat"},        // missing source
        {"Paket", "Sim\\Paket.dat"},                  // source is a folder
        {"Paket\\Haus.dat", "Sim\\Ordner"},           // destination is a folder
        {"Paket\\Haus.dat", "Sim\\Fehlt\\Haus.dat"},  // destination folder missing
        {"Paket\\Haus.dat", "Paket\\HAUS.dat"},       // the source itself
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.source) + " -> " + c.destination);
        EXPECT_FALSE(
            IsSuccess(host.CopyFileReplacing(tree.Path(c.source), tree.Path(c.destination))));
        EXPECT_EQ(tree.ListHostNames("Sim"), "Haus.dat Ordner");
        EXPECT_EQ(tree.ListHostNames("Paket"), "Haus.dat");
        EXPECT_EQ(tree.ReadFile("Sim\\Haus.dat"), "alt");
        EXPECT_EQ(tree.ReadFile("Paket\\Haus.dat"), "neu");
    }
}

TEST(HostFiles, CreateOneDirectoryReportsWhatIsThere) {
    const test::TempTree tree;
    tree.MakeDirectory("Sim\\Da");
    tree.WriteFile("Sim\\Datei.dat", "x");

    struct Case {
        const char* path;
        ErrorCode result;
    };
    const Case cases[] = {
        {"Sim\\Neu", ErrorCode::kSuccess},
        {"Sim\\Neu", ErrorCode::kAlreadyExists},  // made by the row before
        {"Sim\\Da", ErrorCode::kAlreadyExists},
        {"Sim\\DA", ErrorCode::kAlreadyExists},
        {"Sim\\Datei.dat", ErrorCode::kAlreadyExists},  // a file of that name
        {"Sim\\Fehlt\\Neu", ErrorCode::kPathNotFound},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(host.CreateOneDirectory(tree.Path(c.path)), c.result);
    }
    EXPECT_TRUE(tree.IsDirectory("Sim\\Neu"));
    EXPECT_FALSE(tree.Exists("Sim\\Fehlt"));
    EXPECT_EQ(tree.ListHostNames("Sim"), "Da Datei.dat Neu");
}

TEST(HostFiles, ResetFileAttributesMakesAReadOnlyFileWritable) {
    const test::TempTree tree;
    tree.WriteFile("Sim\\Haus.dat", "alt");
    tree.WriteFile("Paket\\Haus.dat", "neu");
    tree.SetReadOnly("Sim\\Haus.dat", true);

    host.ResetFileAttributes(tree.Path("Sim\\Haus.dat"));
    EXPECT_FALSE(tree.IsReadOnly("Sim\\Haus.dat"));
    EXPECT_TRUE(IsSuccess(
        host.CopyFileReplacing(tree.Path("Paket\\Haus.dat"), tree.Path("Sim\\Haus.dat"))));
    EXPECT_EQ(tree.ReadFile("Sim\\Haus.dat"), "neu");
    host.ResetFileAttributes(tree.Path("Sim\\Fehlt.dat"));  // ignored
    EXPECT_FALSE(tree.Exists("Sim\\Fehlt.dat"));
}

TEST(HostFiles, ReplaceFileContentCreatesAndReplaces) {
    const test::TempTree tree;
    tree.MakeDirectory("Parallels");
    const std::string path = tree.Path("Parallels\\Texturen.txt");

    EXPECT_EQ(host.ReplaceFileContent(path, "Textur{id(1)}\r\n"), ErrorCode::kSuccess);
    EXPECT_EQ(tree.ReadFile("Parallels\\Texturen.txt"), "Textur{id(1)}\r\n");
    EXPECT_EQ(host.ReplaceFileContent(tree.Path("Parallels\\TEXTUREN.TXT"), "kurz"),
              ErrorCode::kSuccess);
    EXPECT_EQ(tree.ReadFile("Parallels\\Texturen.txt"), "kurz");
    EXPECT_EQ(host.ReplaceFileContent(path, ""), ErrorCode::kSuccess);
    EXPECT_EQ(tree.ReadFile("Parallels\\Texturen.txt"), "");
    EXPECT_FALSE(tree.IsReadOnly("Parallels\\Texturen.txt"));
    EXPECT_EQ(tree.ListHostNames("Parallels"), "Texturen.txt");
}

TEST(HostFiles, ReplaceFileContentRefusesAndLeavesTheOldFile) {
    const test::TempTree tree;
    tree.WriteFile("Parallels\\Texturen.txt", "alt");
    tree.SetReadOnly("Parallels\\Texturen.txt", true);

    EXPECT_EQ(host.ReplaceFileContent(tree.Path("Parallels\\Texturen.txt"), "neu"),
              ErrorCode::kAccessDenied);
    EXPECT_EQ(tree.ReadFile("Parallels\\Texturen.txt"), "alt");
    EXPECT_TRUE(tree.IsReadOnly("Parallels\\Texturen.txt"));
    EXPECT_EQ(host.ReplaceFileContent(tree.Path("Fehlt\\Texturen.txt"), "neu"),
              ErrorCode::kPathNotFound);
    EXPECT_EQ(tree.ListHostNames("Parallels"), "Texturen.txt");
    EXPECT_FALSE(tree.Exists("Fehlt"));
}

// A path of exactly `length` characters: the folder `parent` and a name of `fill` characters.
std::string PathOfLength(const std::string& parent, std::size_t length, char fill) {
    return parent + "\\" + std::string(length - parent.size() - 1, fill);
}

TEST(HostFiles, PathsLongerThanTheNarrowCallsTakeAreRefused) {
    const test::TempTree tree;
    tree.WriteFile("Quelle.dat", "q");
    const std::string parentName(120, 'p');
    tree.MakeDirectory(parentName);
    const std::string parent = tree.Path(parentName);
    ASSERT_LT(parent.size() + 2, 259u) << "the test folder's path is too long for this test";

    struct Case {
        std::size_t length;
        ErrorCode result;
    };
    const Case cases[] = {
        {259, ErrorCode::kSuccess},
        {260, ErrorCode::kSuccess},
        {261, ErrorCode::kFilenameExcedRange},
        {400, ErrorCode::kFilenameExcedRange},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        const std::string folder = PathOfLength(parent, c.length, 'n');
        EXPECT_EQ(host.CreateOneDirectory(folder), c.result);
        EXPECT_EQ(host.QueryFileAttributes(folder).Ok(), IsSuccess(c.result));

        const std::string file = PathOfLength(parent, c.length, 'f');
        EXPECT_EQ(host.CopyFileReplacing(tree.Path("Quelle.dat"), file), c.result);
        EXPECT_EQ(OpenedFile(file).IsOpen(), IsSuccess(c.result));
        if (IsSuccess(c.result)) {
            EXPECT_EQ(host.CopyFileReplacing(file, tree.Path("Kopie.dat")), c.result);
        }
    }
    // A source of a refused length, and nothing left in the folder by the refused copies.
    EXPECT_EQ(host.CopyFileReplacing(PathOfLength(parent, 300, 'f'), tree.Path("Kopie.dat")),
              ErrorCode::kFilenameExcedRange);
    const std::size_t shortest = 259 - parent.size() - 1;
    EXPECT_EQ(tree.ListHostNames(parentName),
              std::string(shortest, 'f') + " " + std::string(shortest + 1, 'f') + " " +
                  std::string(shortest, 'n') + " " + std::string(shortest + 1, 'n'));
}

TEST(HostFiles, AFileLockIsHeldByOneHandleAtATime) {
    const test::TempTree tree;
    const std::string path = tree.Path("Texturen.txt.lock");
    {
        Result<UniqueFile> first = host.LockFileExclusively(path);
        ASSERT_TRUE(first.Ok()) << Win32Number(first.Error());
        EXPECT_TRUE(tree.Exists("Texturen.txt.lock")) << "the file is made when it is missing";
        // A second handle, of this process too, is refused while the first holds the lock.
        MachineHost another;
        EXPECT_EQ(another.LockFileExclusively(path).Error(), ErrorCode::kLockViolation);
        EXPECT_EQ(host.LockFileExclusively(path).Error(), ErrorCode::kLockViolation);
        first->Reset();
        Result<UniqueFile> second = another.LockFileExclusively(path);
        EXPECT_TRUE(second.Ok()) << "a released lock is free again";
    }
    EXPECT_TRUE(host.LockFileExclusively(path).Ok()) << "a lock left by a handle gone is free";
    EXPECT_EQ(tree.ReadFile("Texturen.txt.lock"), "") << "the lock writes nothing";

    // No lock where there is no file to hold: a missing folder, a folder in the file's place.
    tree.MakeDirectory("Ordner");
    for (const std::string& refused : {tree.Path("Fehlt\\x.lock"), tree.Path("Ordner")}) {
        const Result<UniqueFile> lock = host.LockFileExclusively(refused);
        EXPECT_FALSE(lock.Ok()) << refused;
        EXPECT_NE(lock.Error(), ErrorCode::kLockViolation) << refused;
    }
    EXPECT_FALSE(tree.Exists("Fehlt"));
}

}  // namespace
}  // namespace quorvel::platform
