// What the Linux entry point does with --prefix, WINEPREFIX and the prefixes found; the
// listing of "quorvel prefixes"; the choice in the terminal, answered one line at a time.
#include <gtest/gtest.h>

#include <sstream>

#include "app/prefixes/PrefixDecision.h"
#include "app/prefixes/PrefixListing.h"
#include "app/prefixes/TerminalPrefixChoice.h"

namespace quorvel::app {
namespace {

FoundPrefix Prefix(const std::string& folder, const std::string& origin,
                   std::optional<std::string> appPath = std::nullopt) {
    FoundPrefix prefix;
    prefix.folder = folder;
    prefix.origin = origin;
    prefix.isPrefix = true;
    prefix.trassimoAppPath = std::move(appPath);
    return prefix;
}

const FoundPrefix kWine = Prefix("/h/.wine", "~/.wine");
const FoundPrefix kSteam = Prefix("/h/steam/pfx", "Steam, App 1 (Trassimo)", "C:\\T\\T.exe");
const FoundPrefix kBottle = Prefix("/h/bottles/B", "Bottles: B", "C:\\T\\T.exe");

TEST(PrefixDecision, CommandLineOverEnvironmentOverSearch) {
    using Kind = PrefixDecision::Kind;
    using Option = std::optional<std::string>;
    struct Case {
        Option prefixOption;
        Option winePrefix;
        std::vector<FoundPrefix> found;
        Kind kind;
        std::string folder;
        std::size_t choices;
    };
    const Case cases[] = {
        {"/p", "/w", {kSteam, kBottle}, Kind::kGiven, "/p", 0},
        {"/p", std::nullopt, {}, Kind::kGiven, "/p", 0},
        {std::nullopt, "/w", {kSteam}, Kind::kGiven, "/w", 0},
        {"", "/w", {}, Kind::kGiven, "/w", 0},  // empty values count as none
        {std::nullopt, "", {kWine, kSteam}, Kind::kFound, "/h/steam/pfx", 1},
        {std::nullopt, std::nullopt, {kWine, kSteam, kBottle}, Kind::kAsk, "", 2},
        {std::nullopt, std::nullopt, {kWine}, Kind::kNoneFound, "", 0},
        {std::nullopt, std::nullopt, {}, Kind::kNoneFound, "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.prefixOption.value_or("-") + " " + c.winePrefix.value_or("-"));
        const PrefixDecision decision = DecidePrefix(c.prefixOption, c.winePrefix, c.found);
        EXPECT_EQ(decision.kind, c.kind);
        EXPECT_EQ(decision.folder, c.folder);
        EXPECT_EQ(decision.choices.size(), c.choices);
        EXPECT_EQ(NeedsPrefixSearch(c.prefixOption, c.winePrefix), c.kind != Kind::kGiven);
    }
}

TEST(PrefixListing, ListsEveryPrefixWithOriginAndTrassimo) {
    FoundPrefix notSetUp = Prefix("/h/lib/compatdata/7/pfx", "Steam, App 7 (Trassimo)");
    notSetUp.isPrefix = false;
    notSetUp.hint = "Bitte das Spiel einmal starten.";
    FoundPrefix umlaut = Prefix("/h/pol/Z\xc3\xbcge", "PlayOnLinux: Z\xc3\xbcge",
                                "C:\\Z\xfcge\\T.exe");  // the value in Windows-1252
    std::ostringstream out;
    WritePrefixListing(out, {kWine, kSteam, notSetUp, umlaut});
    EXPECT_EQ(out.str(),
              "1. /h/.wine\n"
              "   Gefunden: ~/.wine\n"
              "   Trassimo: nicht installiert\n"
              "2. /h/steam/pfx\n"
              "   Gefunden: Steam, App 1 (Trassimo)\n"
              "   Trassimo: C:\\T\\T.exe\n"
              "3. /h/lib/compatdata/7/pfx\n"
              "   Gefunden: Steam, App 7 (Trassimo)\n"
              "   Trassimo: Pr\u00e4fix noch nicht eingerichtet\n"
              "   Hinweis: Bitte das Spiel einmal starten.\n"
              "4. /h/pol/Z\u00fcge\n"
              "   Gefunden: PlayOnLinux: Z\u00fcge\n"
              "   Trassimo: C:\\Z\u00fcge\\T.exe\n"
              "\n"
              "Trassimo ist in 2 Pr\u00e4fixen installiert; Quorvel fragt beim Start, welches "
              "verwendet werden soll.\n"
              "Ein bestimmtes Pr\u00e4fix w\u00e4hlen: quorvel --prefix ORDNER\n");

    std::ostringstream none;
    WritePrefixListing(none, {});
    EXPECT_EQ(none.str(), "Es wurde kein Wine-Pr\u00e4fix gefunden.\n");
    std::ostringstream one;
    WritePrefixListing(one, {kWine, kSteam});
    EXPECT_NE(one.str().find("in einem Pr\u00e4fix installiert; Quorvel verwendet es von selbst"),
              std::string::npos);
    std::ostringstream noTrassimo;
    WritePrefixListing(noTrassimo, {kWine});
    EXPECT_NE(noTrassimo.str().find("in keinem dieser Pr\u00e4fixe"), std::string::npos);
}

TEST(TerminalPrefixChoice, OneIsAnnouncedInOneLine) {
    std::istringstream in("2\n");
    std::ostringstream out;
    const std::optional<FoundPrefix> chosen = ChoosePrefixInTerminal({kSteam}, in, out);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->folder, kSteam.folder);
    EXPECT_EQ(out.str(), "Trassimo gefunden in /h/steam/pfx (Steam, App 1 (Trassimo)).\n");
    EXPECT_EQ(in.tellg(), 0);  // nothing read: the answers belong to the dialog
    std::ostringstream quiet;
    EXPECT_FALSE(ChoosePrefixInTerminal({}, in, quiet).has_value());
    EXPECT_EQ(quiet.str(), "");
}

TEST(TerminalPrefixChoice, SeveralAreChosenByNumber) {
    const std::vector<FoundPrefix> holding = {kSteam, kBottle, kWine};
    struct Case {
        std::string input;
        std::optional<std::string> folder;
        std::size_t prompts;
        std::string rest;  // what is left for the dialog
    };
    const Case cases[] = {
        {"2\nx\n", "/h/bottles/B", 1, "x\n"},
        {" 3 \r\n", "/h/.wine", 1, ""},
        {"\n", "/h/steam/pfx", 1, ""},  // Enter: the first
        {"0\n4\n-1\nzwei\n99999999999999999999\n1\n", "/h/steam/pfx", 6, ""},
        {"a\n1\n", std::nullopt, 1, "1\n"},
        {"Abbrechen\n", std::nullopt, 1, ""},
        {"\x1b\n", std::nullopt, 1, ""},
        {"", std::nullopt, 1, ""},
        {"7\n", std::nullopt, 2, ""},  // asked again, then the input ends
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        std::istringstream in(c.input);
        std::ostringstream out;
        const std::optional<FoundPrefix> chosen = ChoosePrefixInTerminal(holding, in, out);
        EXPECT_EQ(chosen ? std::optional<std::string>(chosen->folder) : std::nullopt, c.folder);
        std::string rest;
        std::getline(in, rest, '\0');
        EXPECT_EQ(rest, c.rest);
        const std::string text = out.str();
        EXPECT_TRUE(text.starts_with(
            "Trassimo ist in mehreren Wine-Pr\u00e4fixen installiert. Welches soll Quorvel "
            "verwenden?\n"
            "  1  /h/steam/pfx\n"
            "     Steam, App 1 (Trassimo)\n"
            "  2  /h/bottles/B\n"
            "     Bottles: B\n"
            "  3  /h/.wine\n"
            "     ~/.wine\n"
            "Nummer 1 bis 3 (Enter: 1, a: Abbrechen): "))
            << text;
        std::size_t prompts = 0;
        for (std::size_t at = text.find("Nummer 1 bis 3"); at != std::string::npos;
             at = text.find("Nummer 1 bis 3", at + 1)) {
            ++prompts;
        }
        EXPECT_EQ(prompts, c.prompts);
    }
}

TEST(TerminalPrefixChoice, FolderNamesCannotControlTheTerminal) {
    const FoundPrefix hostile = Prefix(
        "/h/\x1B]52;c;eA==\a/\xC2\x9B"
        "2J",
        "Lutris: \x1B[2J");
    const std::vector<std::vector<FoundPrefix>> lists = {{hostile}, {kWine, hostile}};
    for (const std::vector<FoundPrefix>& holding : lists) {
        std::istringstream in("2\n");
        std::ostringstream out;
        const std::optional<FoundPrefix> chosen = ChoosePrefixInTerminal(holding, in, out);
        ASSERT_TRUE(chosen.has_value());
        EXPECT_EQ(chosen->folder, hostile.folder) << "the folder itself is used as it is";
        EXPECT_NE(out.str().find("/h/?]52;c;eA==?/?2J"), std::string::npos) << out.str();
        EXPECT_NE(out.str().find("Lutris: ?[2J"), std::string::npos) << out.str();
        EXPECT_EQ(out.str().find_first_of("\x1B\a"), std::string::npos);
    }
    std::ostringstream listing;
    WritePrefixListing(listing, {hostile});
    EXPECT_NE(listing.str().find("/h/?]52;c;eA==?/?2J"), std::string::npos) << listing.str();
    EXPECT_EQ(listing.str().find_first_of("\x1B\a"), std::string::npos) << "quorvel prefixes";
}

TEST(TerminalPrefixChoice, AnOverLongAnswerCountsByItsStart) {
    constexpr std::size_t kTenMegabytes = 10 * 1000 * 1000;
    struct Case {
        std::string input;
        std::string folder;
        std::size_t prompts;
    };
    const Case cases[] = {
        {std::string(kTenMegabytes, '2') + "\n2\n", kBottle.folder, 2},
        {"  " + std::string(kTenMegabytes, '1') + "\n2", kBottle.folder, 2},
        {std::string(4096, ' ') + "a\n", kSteam.folder, 1},  // blank as far as it is kept
    };
    for (const Case& c : cases) {
        std::istringstream in(c.input);
        std::ostringstream out;
        const std::optional<FoundPrefix> chosen =
            ChoosePrefixInTerminal({kSteam, kBottle}, in, out);
        ASSERT_TRUE(chosen.has_value()) << c.input.size();
        EXPECT_EQ(chosen->folder, c.folder) << c.input.size();
        EXPECT_EQ(out.str().find("Bitte eine Nummer") != std::string::npos, c.prompts > 1);
    }
}

}  // namespace
}  // namespace quorvel::app
