#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "app/MessageTable.h"
#include "app/terminal/ConsoleApp.h"
#include "platform/Cp1252.h"
#include "tests/support/TestRegistry.h"

namespace quorvel::app::terminal {
namespace {

// Runs the terminal dialog on scripted input lines and gives what it printed.
std::string RunDialog(const std::string& input) {
    std::istringstream in(input);
    std::ostringstream out;
    LineKeyInput keys(in);
    ConsoleApp application(keys, out, false);
    application.Run();
    return out.str();
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

std::string Utf8Message(unsigned id) {
    return platform::Cp1252ToUtf8(MessageText(id));
}

TEST(ConsoleDialog, ShowsTheMainDialog) {
    const std::string out = RunDialog("");
    EXPECT_NE(out.find("[Quorvel]\nDieses Programm installiert zusätzliche Modelle zum Programm "
                       "Trassimo (TRZ).\n"),
              std::string::npos);
    EXPECT_NE(out.find("< Installieren > (Enter)"), std::string::npos);
    EXPECT_NE(out.find("< Abbrechen > (Esc, a)"), std::string::npos);
    EXPECT_NE(out.find("Info über Quorvel... (o)"), std::string::npos);
}

TEST(ConsoleDialog, CancelTouchesNothing) {
    test::TestRegistry registry;  // nothing registered: an install would say so
    for (const char* input : {"a\n", "A\n", "\x1B\n", ""}) {
        const std::string out = RunDialog(input);
        EXPECT_EQ(out.find(Utf8Message(kMessageNotInstalled)), std::string::npos) << input;
        EXPECT_EQ(out.find("[Info"), std::string::npos) << input;
    }
}

TEST(ConsoleDialog, NotInstalledKeepsTheDialogOpen) {
    test::TestRegistry registry;
    const std::string out = RunDialog("\n\n\n\na\n");
    EXPECT_EQ(Count(out, "[Quorvel]\n" + Utf8Message(kMessageNotInstalled) + "\n  < OK >"), 2u);
    EXPECT_EQ(Count(out, "< Installieren >"), 3u) << "the buttons again after each box";
}

TEST(ConsoleDialog, TheAboutBoxOpensAndReturns) {
    const std::string out = RunDialog("x\no\n\na\n");
    EXPECT_NE(out.find("[Info über Quorvel]\nQuorvel Version 1.0\n"), std::string::npos);
    EXPECT_EQ(Count(out, "[Info über Quorvel]"), 1u);
    EXPECT_EQ(Count(out, "< Installieren >"), 2u);
}

TEST(ConsoleMessageBox, AnswersFromTheInput) {
    struct Case {
        const char* input;
        unsigned type;
        int answer;
    };
    const Case cases[] = {
        {"\n", platform::kMbOk, platform::kIdOk},
        {"", platform::kMbOk, platform::kIdOk},
        {"x\n\n", platform::kMbOk, platform::kIdOk},
        {"j\n", platform::kMbYesNo, platform::kIdYes},
        {"N\n", platform::kMbYesNo, platform::kIdNo},
        {"\x1B\nx\nn\n", platform::kMbYesNo, platform::kIdNo},  // no escape from a question
        {"\n", platform::kMbYesNo, platform::kIdYes},           // Enter: the default button
        {"", platform::kMbYesNo, platform::kIdYes},             // closed: the file stays
    };
    for (const Case& c : cases) {
        std::istringstream in(c.input);
        std::ostringstream out;
        LineKeyInput keys(in);
        ConsoleApp application(keys, out, false);
        EXPECT_EQ(application.DoMessageBox("Frage \xE4", c.type), c.answer) << c.input;
        EXPECT_NE(out.str().find("[Quorvel]\nFrage ä\n"), std::string::npos);
    }
}

TEST(ConsoleMessageBox, AFileNameCannotControlTheTerminal) {
    std::istringstream in("\n");
    std::ostringstream out;
    LineKeyInput keys(in);
    ConsoleApp application(keys, out, false);
    const std::string text =
        platform::FormatText(MessageText(kMessageCopyFailed),
                             {"C:\\Paket\\\x1B]2;x\a\x1B[2J\x9D.dat", "C:\\Sim\\a.dat"});
    application.DoMessageBox(text, platform::kMbOk);
    EXPECT_EQ(out.str().find('\x1B'), std::string::npos);
    EXPECT_EQ(out.str().find('\a'), std::string::npos);
    EXPECT_NE(
        out.str().find("Das Kopieren der Datei C:\\Paket\\?]2;x??[2J?.dat nach C:\\Sim\\a.dat "
                       "schlägt fehl."),
        std::string::npos)
        << out.str();
}

TEST(ConsoleProgressBar, DrawsTheStepsInPlaceOnATerminal) {
    std::istringstream in;
    std::ostringstream out;
    LineKeyInput keys(in);
    ConsoleApp application(keys, out, true);
    ConsoleDialog dialog(application);
    dialog.SetRange(0, 4);
    dialog.SetPosition(0);
    dialog.SetPosition(3);
    application.DoMessageBox("x", platform::kMbOk);
    dialog.SetPosition(4);
    EXPECT_EQ(out.str(),
              "[....................] 0/4\r[###############.....] 3/4\n"
              "\n[Quorvel]\nx\n  < OK >\n[####################] 4/4");
}

}  // namespace
}  // namespace quorvel::app::terminal
