// The history as every front end writes it (through the install command) and the undo, on
// real files: natively, and cross-built under Wine with Windows' own calls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/InstallCommand.h"
#include "app/MessageTable.h"
#include "app/history/FileState.h"
#include "app/history/HistoryReader.h"
#include "app/history/HistoryRecords.h"
#include "app/history/Undo.h"
#include "platform/MachineHost.h"
#include "platform/WholeFile.h"
#include "tests/support/PackageFixture.h"
#include "tests/support/RecordingDialog.h"

namespace quorvel::app::history {
namespace {

constexpr const char* kCatalogue = "Sim\\Resourcen\\Parallels\\Texturen.txt";
const std::string kCatalogueBytes =
    "{\r\n  Textur{ id(10) datei(a.bmp) }\r\n  Textur{ id(20) datei(b.bmp) }\r\n}\r\n";

struct FileSeen {
    std::string bytes;
    std::uint64_t time;
    bool readOnly;
    bool operator==(const FileSeen&) const = default;
};

class HistoryTest : public ::testing::Test {
protected:
    HistoryTest() {
        package.tree.WriteFile("Paket\\neu.dat", "neu");
        package.tree.WriteFile("Paket\\alt.dat", "ersetzt alt");
        package.tree.WriteFile("Paket\\neuer.dat", "ersetzt neuer");
        package.tree.WriteFile("Paket\\geschuetzt.dat", "geschützt");
        for (const char* name : {"neu.dat", "alt.dat", "neuer.dat", "geschuetzt.dat"}) {
            package.tree.SetLastWriteTime(std::string("Paket\\") + name, test::FileTimeAt(5));
        }
        package.tree.WriteFile("Sim\\Res\\alt.dat", "alt");
        package.tree.SetLastWriteTime("Sim\\Res\\alt.dat", test::FileTimeAt(1));
        package.tree.WriteFile("Sim\\Res\\neuer.dat", "neuer");
        package.tree.SetLastWriteTime("Sim\\Res\\neuer.dat", test::FileTimeAt(9));
        package.tree.WriteFile("Sim\\Res\\geschuetzt.dat", "geschützt alt");
        package.tree.SetLastWriteTime("Sim\\Res\\geschuetzt.dat", test::FileTimeAt(1));
        package.tree.SetReadOnly("Sim\\Res\\geschuetzt.dat", true);
        package.tree.WriteFile(kCatalogue, kCatalogueBytes);
        package.tree.SetLastWriteTime(kCatalogue, test::FileTimeAt(3));
        package.WriteScript(
            "Dateinstallation{{neu.dat>>Res\\Neu\\neu.dat}{alt.dat>>Res\\alt.dat}"
            "{neuer.dat>>Res\\neuer.dat}{geschuetzt.dat>>Res\\geschuetzt.dat}}"
            "Texturskript{{10>>Textur{id(10)datei(c.bmp)}}{15>>Textur{id(15)}}{20>>}}");
    }

    std::vector<FileSeen> Seen() {
        std::vector<FileSeen> seen;
        for (const char* file :
             {"Sim\\Res\\alt.dat", "Sim\\Res\\neuer.dat", "Sim\\Res\\geschuetzt.dat", kCatalogue}) {
            seen.push_back({package.tree.ReadFile(file), package.tree.LastWriteTime(file),
                            package.tree.IsReadOnly(file)});
        }
        return seen;
    }

    void Install() {
        package.application.QueueAnswers({platform::kIdNo});  // replace the newer file
        app::RunInstallCommand(dialog, package.application);
    }

    test::PackageFixture package;
    test::RecordingDialog dialog;
};

TEST_F(HistoryTest, AnUndoneInstallLeavesTheFolderAsItWas) {
    const std::vector<FileSeen> before = Seen();
    Install();
    ASSERT_NE(Seen(), before);
    ASSERT_TRUE(package.tree.Exists("Sim\\Res\\Neu\\neu.dat"));
    EXPECT_TRUE(dialog.historyProblems.empty());

    const std::vector<RecordedInstall> installs =
        ReadHistory(package.application.Machine(), package.SimDir());
    ASSERT_EQ(installs.size(), 1u);
    EXPECT_EQ(installs[0].created, 1u);
    EXPECT_EQ(installs[0].replaced, 2u);
    EXPECT_EQ(installs[0].failed, 1u);  // the write-protected one
    EXPECT_EQ(installs[0].textures, 3u);
    EXPECT_FALSE(installs[0].cutOff);

    const UndoOutcome outcome = UndoInstall(package.application.Machine(), installs[0]);
    EXPECT_TRUE(outcome.leftAlone.empty()) << outcome.leftAlone.front();
    EXPECT_TRUE(outcome.failed.empty());
    EXPECT_EQ(Seen(), before);
    EXPECT_FALSE(package.tree.Exists("Sim\\Res\\Neu"));
    EXPECT_TRUE(ReadHistory(package.application.Machine(), package.SimDir())[0].undone);

    // Undone again: nothing left to do, and nothing changes.
    EXPECT_TRUE(UndoInstall(package.application.Machine(), installs[0]).leftAlone.empty());
    EXPECT_EQ(Seen(), before);
}

TEST_F(HistoryTest, AKillBetweenACopyAndItsRecordIsUndoneToo) {
    const std::vector<FileSeen> before = Seen();
    Install();
    std::vector<RecordedInstall> installs =
        ReadHistory(package.application.Machine(), package.SimDir());
    ASSERT_EQ(installs.size(), 1u);
    // As if killed after the copies and before their records: every "copied" record gone.
    const std::string log = installs[0].folder + "\\Protokoll.txt";
    const std::optional<std::string> text =
        platform::ReadWholeFile(package.application.Machine(), log);
    ASSERT_TRUE(text);
    std::string cut;
    for (std::size_t start = 0; start < text->size();) {
        const std::size_t end = text->find('\n', start) + 1;
        if (text->compare(start, 7, "copied\t") != 0) {
            cut += text->substr(start, end - start);
        }
        start = end;
    }
    ASSERT_LT(cut.size(), text->size());
    ASSERT_TRUE(IsSuccess(package.application.Machine().ReplaceFileContent(log, cut)));
    installs = ReadHistory(package.application.Machine(), package.SimDir());
    const UndoOutcome outcome = UndoInstall(package.application.Machine(), installs.at(0));
    EXPECT_TRUE(outcome.leftAlone.empty()) << outcome.leftAlone.front();
    EXPECT_FALSE(package.tree.Exists("Sim\\Res\\Neu"));
    EXPECT_EQ(Seen(), before);
}

// Each copy's record follows it before the next change's record, and the last one comes before
// the run's end.
TEST_F(HistoryTest, EveryCopyIsRecordedBeforeTheNextChange) {
    Install();
    const std::vector<RecordedInstall> installs =
        ReadHistory(package.application.Machine(), package.SimDir());
    ASSERT_EQ(installs.size(), 1u);
    const std::optional<std::string> text = platform::ReadWholeFile(
        package.application.Machine(), installs[0].folder + "\\Protokoll.txt");
    ASSERT_TRUE(text);
    std::string kinds;
    for (std::size_t start = 0; start < text->size();) {
        const std::size_t end = text->find('\n', start);
        ASSERT_NE(end, std::string::npos) << "a record without its line end";
        const std::string line = text->substr(start, end - start);
        const std::string kind = line.substr(0, line.find('\t'));
        if (kind != "texture" && kind != "catalogue" && kind != "catalogue-saved") {
            kinds += (kinds.empty() ? "" : " ") + kind;
        }
        start = end + 1;
    }
    EXPECT_EQ(kinds,
              "quorvel-verlauf install folder create copied replace copied replace copied "
              "replace failed end");
}

TEST_F(HistoryTest, EachCopiedRecordTellsWhatItsFileHolds) {
    Install();
    platform::MachineHost& machine = package.application.Machine();
    const std::vector<RecordedInstall> installs = ReadHistory(machine, package.SimDir());
    ASSERT_EQ(installs.size(), 1u);
    std::size_t copies = 0;
    for (const Record& record : installs[0].records) {
        if (Field(record, 0) != kCopiedRecord) {
            continue;
        }
        ++copies;
        const std::optional<FileState> now = ReadFileState(machine, Field(record, 1), true);
        ASSERT_TRUE(now) << Field(record, 1);
        EXPECT_EQ(NumberField(record, 2), now->size) << Field(record, 1);
        EXPECT_EQ(NumberField(record, 3), now->lastWrite) << Field(record, 1);
        EXPECT_EQ(NumberField(record, 4), *now->hash) << Field(record, 1);
    }
    EXPECT_EQ(copies, 3u);
}

TEST_F(HistoryTest, WhatChangedSinceIsLeftAndNamed) {
    Install();
    package.tree.WriteFile("Sim\\Res\\alt.dat", "vom Benutzer");
    package.tree.WriteFile("Sim\\Res\\Neu\\eigene.dat", "vom Benutzer");
    const std::vector<RecordedInstall> installs =
        ReadHistory(package.application.Machine(), package.SimDir());
    const UndoOutcome outcome = UndoInstall(package.application.Machine(), installs.at(0));
    ASSERT_EQ(outcome.leftAlone.size(), 2u);
    EXPECT_NE(outcome.leftAlone[0].find("alt.dat"), std::string::npos);
    EXPECT_NE(outcome.leftAlone[1].find("Neu"), std::string::npos);  // the folder is not empty
    EXPECT_EQ(package.tree.ReadFile("Sim\\Res\\alt.dat"), "vom Benutzer");
    EXPECT_FALSE(package.tree.Exists("Sim\\Res\\Neu\\neu.dat"));
    EXPECT_EQ(package.tree.ReadFile("Sim\\Res\\neuer.dat"), "neuer");
}

TEST_F(HistoryTest, ARunThatCannotWriteItsHistoryGoesOnAndSaysSo) {
    package.tree.WriteFile("Sim\\Quorvel", "a file where the history's folder would be");
    Install();
    ASSERT_EQ(dialog.historyProblems.size(), 1u);
    EXPECT_NE(dialog.historyProblems[0].find("rückgängig"), std::string::npos);
    EXPECT_EQ(package.tree.ReadFile("Sim\\Res\\Neu\\neu.dat"), "neu");
    // The run's own messages are those of a run without history: the failed copy, then 103.
    EXPECT_EQ(package.application.Messages().back().text,
              package.application.LoadMessage(kMessageInstallFailed));
}

TEST_F(HistoryTest, ARunThatChangesNothingLeavesNoRecord) {
    package.WriteScript("");
    app::RunInstallCommand(dialog, package.application);
    EXPECT_FALSE(package.tree.Exists("Sim\\Quorvel"));
    EXPECT_TRUE(dialog.historyProblems.empty());
}

// A destination that holds the package's bytes and time already is no change: nothing is kept
// and no history begins, unless it is write-protected (the run resets that, and an undo sets
// it again).
TEST_F(HistoryTest, AFileThatHoldsThePackagesBytesAlreadyIsNoChange) {
    for (const bool readOnly : {false, true}) {
        SCOPED_TRACE(readOnly ? "write-protected" : "writable");
        package.tree.WriteFile("Sim\\Res\\neu.dat", "neu");
        package.tree.SetLastWriteTime("Sim\\Res\\neu.dat", test::FileTimeAt(5));
        package.tree.SetReadOnly("Sim\\Res\\neu.dat", readOnly);
        package.WriteScript("Dateinstallation{{neu.dat>>Res\\neu.dat}}");
        app::RunInstallCommand(dialog, package.application);
        EXPECT_EQ(package.tree.ReadFile("Sim\\Res\\neu.dat"), "neu");
        EXPECT_FALSE(package.tree.IsReadOnly("Sim\\Res\\neu.dat"));

        const std::vector<RecordedInstall> installs =
            ReadHistory(package.application.Machine(), package.SimDir());
        ASSERT_EQ(installs.size(), readOnly ? 1u : 0u);
        EXPECT_EQ(package.tree.Exists("Sim\\Quorvel"), readOnly);
        if (readOnly) {
            const UndoOutcome outcome = UndoInstall(package.application.Machine(), installs[0]);
            EXPECT_TRUE(outcome.leftAlone.empty());
            EXPECT_TRUE(package.tree.IsReadOnly("Sim\\Res\\neu.dat"));
            EXPECT_EQ(package.tree.ReadFile("Sim\\Res\\neu.dat"), "neu");
        }
    }
}

// A file's state is read with one buffer of 256 KiB, and only as far as its size: sizes about
// the buffer's give the hash of all the bytes, as one from memory does.
TEST(FileState, TheHashCoversEveryByteWhateverTheSize) {
    test::TempTree tree;
    platform::MachineHost host;
    FileReader reader(host);
    constexpr std::size_t kPiece = 256 * 1024;
    for (const std::size_t size :
         {std::size_t{0}, std::size_t{1}, kPiece - 1, kPiece, kPiece + 1, 2 * kPiece + 7}) {
        std::string bytes(size, '\0');
        for (std::size_t at = 0; at < size; ++at) {
            bytes[at] = static_cast<char>((at * 131 + size) % 251);
        }
        const std::string name = "Datei" + std::to_string(size) + ".dat";
        tree.WriteFile(name, bytes);
        tree.SetLastWriteTime(name, test::FileTimeAt(4));
        const std::optional<FileState> state = reader.State(tree.Path(name), true);
        ASSERT_TRUE(state) << size;
        EXPECT_EQ(state->size, size);
        EXPECT_EQ(state->lastWrite, test::FileTimeAt(4));
        ASSERT_TRUE(state->hash) << size;
        EXPECT_EQ(*state->hash, HashOfBytes(bytes)) << size;
        EXPECT_FALSE(reader.State(tree.Path(name), false)->hash);
    }
    EXPECT_FALSE(reader.State(tree.Path("fehlt.dat"), true));
}

}  // namespace
}  // namespace quorvel::app::history
