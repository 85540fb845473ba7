// The search for Wine prefixes on fabricated home folders, one layout of each tool at a time
// and several together.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "platform/posix/prefixes/PrefixDiscovery.h"

namespace quorvel::platform::posix {
namespace {

namespace fs = std::filesystem;

const std::string kSteamData = std::string(QUORVEL_POSIX_TEST_DATA) + "/steam/";
const std::string kViews = std::string(QUORVEL_POSIX_TEST_DATA) + "/wine8-views/";

// A temporary home folder.
class Home {
public:
    Home() {
        std::string pattern = "/tmp/quorvel-home-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("mkdtemp failed");
        }
        root_ = fs::canonical(pattern).string();
    }
    ~Home() {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
    Home(const Home&) = delete;
    Home& operator=(const Home&) = delete;

    std::string Path(const std::string& relative) const { return root_ + "/" + relative; }

    void Write(const std::string& relative, const std::string& content) const {
        fs::create_directories(fs::path(Path(relative)).parent_path());
        std::ofstream(Path(relative), std::ios::binary) << content;
    }

    // A prefix whose HKEY_CLASSES_ROOT holds Trassimo's AppPath when `appPath` is not empty.
    void Prefix(const std::string& relative, const std::string& appPath = "") const {
        std::string registry =
            "WINE REGISTRY Version 2\n;; All keys relative to "
            "REGISTRY\\\\Machine\n\n#arch=win64\n\n";
        if (!appPath.empty()) {
            registry +=
                "[Software\\\\Classes\\\\Software\\\\Halvenwerk\\\\TRZX] 1796719391\n"
                "\"AppPath\"=\"" +
                appPath + "\"\n";
        }
        Write(relative + "/system.reg", registry);
    }

    void Link(const std::string& relative, const std::string& target) const {
        fs::create_directories(fs::path(Path(relative)).parent_path());
        fs::create_symlink(target, Path(relative));
    }

    void Folder(const std::string& relative) const { fs::create_directories(Path(relative)); }

    std::vector<FoundPrefix> Search() const { return FindWinePrefixes({root_, "", ""}); }

private:
    std::string root_;
};

const std::string kTrassimo = "C:\\\\Programme\\\\Trassimo\\\\Trassimo.exe";

// One line per entry: origin | folder below the home | what it holds | hint given.
std::vector<std::string> Summary(const Home& home, const std::vector<FoundPrefix>& found) {
    std::vector<std::string> lines;
    for (const FoundPrefix& prefix : found) {
        std::string folder = prefix.folder;
        if (folder.starts_with(home.Path(""))) {
            folder = folder.substr(home.Path("").size());
        }
        lines.push_back(prefix.origin + " | " + folder + " | " +
                        (!prefix.isPrefix         ? "kein Praefix"
                         : prefix.HoldsTrassimo() ? *prefix.trassimoAppPath
                                                  : "-") +
                        (prefix.hint.empty() ? "" : " | Hinweis"));
    }
    return lines;
}

using Lines = std::vector<std::string>;
const std::string kAppPath = "C:\\Programme\\Trassimo\\Trassimo.exe";

TEST(PrefixDiscovery, NothingInAnEmptyHome) {
    const Home home;
    EXPECT_TRUE(home.Search().empty());
    EXPECT_TRUE(FindWinePrefixes({home.Path("fehlt"), "", ""}).empty());
}

TEST(PrefixDiscovery, PlainWineWinetricksAndPlayOnLinux) {
    const Home home;
    home.Prefix(".wine");
    home.Prefix(".local/share/wineprefixes/b-spiel", kTrassimo);
    home.Prefix(".local/share/wineprefixes/a-spiel");
    home.Folder(".local/share/wineprefixes/leer");                           // no system.reg
    home.Write(".local/share/wineprefixes/fremd/system.reg", "REGEDIT4\n");  // no Wine header
    home.Folder(".local/share/wineprefixes/fifo");
    ASSERT_EQ(mkfifo(home.Path(".local/share/wineprefixes/fifo/system.reg").c_str(), 0600), 0);
    home.Prefix(".PlayOnLinux/wineprefix/Trassimo", kTrassimo);
    EXPECT_EQ(
        Summary(home, home.Search()),
        (Lines{"~/.wine | .wine | -", "winetricks: a-spiel | .local/share/wineprefixes/a-spiel | -",
               "winetricks: b-spiel | .local/share/wineprefixes/b-spiel | " + kAppPath,
               "PlayOnLinux: Trassimo | .PlayOnLinux/wineprefix/Trassimo | " + kAppPath}));
}

TEST(PrefixDiscovery, LinksLeadingToOnePrefixCountOnceAndDanglingOnesNotAtAll) {
    const Home home;
    home.Prefix(".PlayOnLinux/wineprefix/Trassimo", kTrassimo);
    home.Link(".wine", home.Path(".PlayOnLinux/wineprefix/Trassimo"));
    home.Link(".local/share/wineprefixes/verweis", "../../../.PlayOnLinux/wineprefix/Trassimo");
    home.Link(".local/share/wineprefixes/kaputt", home.Path("gibt-es-nicht"));
    EXPECT_EQ(Summary(home, home.Search()),
              (Lines{"~/.wine | .PlayOnLinux/wineprefix/Trassimo | " + kAppPath}));
}

TEST(PrefixDiscovery, ReadsTheRegistryAsThe32BitProgram) {
    const Home home;
    // Trassimo's key hidden from 32-bit programs by Software\Classes\Software\Wow6432Node.
    home.Folder("verdeckt");
    fs::copy_file(kViews + "win64-classes-software-wow6432node.reg",
                  home.Path("verdeckt/system.reg"));
    home.Link(".wine", home.Path("verdeckt"));
    home.Prefix(".local/share/wineprefixes/ohne-ordner", "Trassimo.exe");  // names no folder
    home.Prefix(".local/share/wineprefixes/zu-lang", "C:\\\\" + std::string(260, 'a'));
    home.Prefix(".local/share/wineprefixes/gerade-so", "C:\\\\" + std::string(256, 'a'));
    EXPECT_EQ(Summary(home, home.Search()),
              (Lines{"~/.wine | verdeckt | -",
                     "winetricks: gerade-so | .local/share/wineprefixes/gerade-so | C:\\" +
                         std::string(256, 'a'),
                     "winetricks: ohne-ordner | .local/share/wineprefixes/ohne-ordner | -",
                     "winetricks: zu-lang | .local/share/wineprefixes/zu-lang | -"}));
}

std::string ReadData(const std::string& name) {
    std::ifstream in(kSteamData + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string NewLayout(const std::vector<std::string>& libraries) {
    std::string text = "\"libraryfolders\"\n{\n";
    for (std::size_t i = 0; i < libraries.size(); ++i) {
        text += "\t\"" + std::to_string(i) + "\"\n\t{\n\t\t\"path\"\t\t\"" + libraries[i] +
                "\"\n\t\t\"label\"\t\t\"\"\n\t}\n";
    }
    return text + "}\n";
}

TEST(PrefixDiscovery, SteamLibrariesAndTheirProtonPrefixes) {
    const Home home;
    const std::string steam = ".local/share/Steam";
    home.Link(".steam/steam", home.Path(steam));
    home.Link(".steam/root", home.Path(steam));
    home.Write(steam + "/steamapps/libraryfolders.vdf",
               NewLayout({home.Path(steam), home.Path("Spiele/SteamLibrary")}));
    // The game in the second library, its prefix in the first.
    home.Write("Spiele/SteamLibrary/steamapps/appmanifest_1234560.acf",
               ReadData("appmanifest_1234560.acf"));
    home.Prefix(steam + "/steamapps/compatdata/1234560/pfx", kTrassimo);
    home.Prefix(steam + "/steamapps/compatdata/22380/pfx");
    home.Folder(steam + "/steamapps/compatdata/0");  // Steam's own, no prefix yet
    home.Folder(steam + "/steamapps/compatdata/shadercache");
    home.Prefix("Spiele/SteamLibrary/steamapps/compatdata/440/pfx");
    EXPECT_EQ(
        Summary(home, home.Search()),
        (Lines{"Steam, App 0 | " + steam + "/steamapps/compatdata/0/pfx | kein Praefix | Hinweis",
               "Steam, App 22380 | " + steam + "/steamapps/compatdata/22380/pfx | -",
               "Steam, App 1234560 (Trassimo) | " + steam + "/steamapps/compatdata/1234560/pfx | " +
                   kAppPath,
               "Steam, App 440 | Spiele/SteamLibrary/steamapps/compatdata/440/pfx | -"}));
}

TEST(PrefixDiscovery, AProtonPrefixNotSetUpYetGetsAHint) {
    const Home home;
    const std::string apps = ".steam/debian-installation/steamapps";
    home.Write(apps + "/appmanifest_1234560.acf", ReadData("appmanifest_1234560.acf"));
    home.Write(apps + "/appmanifest_70.acf", "\"AppState\" { \"name\" \"Half\" }");
    const std::vector<FoundPrefix> found = home.Search();
    EXPECT_EQ(Summary(home, found), (Lines{"Steam, App 1234560 (Trassimo) | " + apps +
                                           "/compatdata/1234560/pfx | kein Praefix | Hinweis"}));
    ASSERT_EQ(found.size(), 1u);
    EXPECT_NE(found[0].hint.find("ersten Start"), std::string::npos);

    // Started once, but Steam stopped before it wrote the registry.
    home.Folder(apps + "/compatdata/1234560/pfx/drive_c");
    EXPECT_EQ(Summary(home, home.Search()),
              (Lines{"Steam, App 1234560 (Trassimo) | " + apps +
                     "/compatdata/1234560/pfx | kein Praefix | Hinweis"}));
    home.Prefix(apps + "/compatdata/1234560/pfx", kTrassimo);
    EXPECT_EQ(Summary(home, home.Search()), (Lines{"Steam, App 1234560 (Trassimo) | " + apps +
                                                   "/compatdata/1234560/pfx | " + kAppPath}));
}

TEST(PrefixDiscovery, SteamsOldLayoutAndBrokenLibraryLists) {
    struct Case {
        std::string name;
        std::string libraryFolders;
        Lines expected;
    };
    const std::string oldLayout =
        "\"LibraryFolders\"\n{\n\t\"TimeNextStatsReport\"\t\t\"1\"\n"
        "\t\"1\"\t\t\"LIB1\"\n\t\"2\"\t\t\"LIB2\"\n}\n";
    const Lines all = {"Steam, App 10 | .local/share/Steam/steamapps/compatdata/10/pfx | -",
                       "Steam, App 20 | lib1/steamapps/compatdata/20/pfx | -",
                       "Steam, App 30 | lib2/steamapps/compatdata/30/pfx | -"};
    const std::string fresh = NewLayout({"HOME/.local/share/Steam", "LIB1", "LIB2"});
    const Case cases[] = {
        {"old layout", oldLayout, all},
        {"new layout", fresh, all},
        {"new layout cut off in the third library", fresh.substr(0, fresh.rfind("\"label\"")), all},
        {"new layout cut off after the first library",
         fresh.substr(0, fresh.find("\"1\"")),
         {all[0]}},
        {"old layout cut off", oldLayout.substr(0, oldLayout.find("\"2\"")), {all[0], all[1]}},
        {"garbage", "\x7f\x45LF\x01\x02}}}{{{\"", {all[0]}},
        {"empty", "", {all[0]}},
        {"a library that does not exist", NewLayout({"HOME/fehlt", "LIB2"}), {all[0], all[2]}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Home home;
        std::string text = c.libraryFolders;
        for (const auto& [from, to] :
             {std::pair<std::string, std::string>{"LIB1", home.Path("lib1")},
              {"LIB2", home.Path("lib2")},
              {"HOME/", home.Path("")}}) {
            for (std::size_t at = text.find(from); at != std::string::npos;
                 at = text.find(from, at + to.size())) {
                text.replace(at, from.size(), to);
            }
        }
        home.Write(".local/share/Steam/steamapps/libraryfolders.vdf", text);
        home.Prefix(".local/share/Steam/steamapps/compatdata/10/pfx");
        home.Prefix("lib1/steamapps/compatdata/20/pfx");
        home.Prefix("lib2/steamapps/compatdata/30/pfx");
        EXPECT_EQ(Summary(home, home.Search()), c.expected);
    }
}

TEST(PrefixDiscovery, FlatpakAndSnapSteam) {
    const Home home;
    home.Prefix(".var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/compatdata/1/pfx",
                kTrassimo);
    home.Prefix("snap/steam/common/.local/share/Steam/steamapps/compatdata/2/pfx", kTrassimo);
    EXPECT_EQ(Summary(home, home.Search()),
              (Lines{"Steam (Flatpak), App 1 | .var/app/com.valvesoftware.Steam/.local/share/"
                     "Steam/steamapps/compatdata/1/pfx | " +
                         kAppPath,
                     "Steam (Snap), App 2 | snap/steam/common/.local/share/Steam/steamapps/"
                     "compatdata/2/pfx | " +
                         kAppPath}));
}

TEST(PrefixDiscovery, LutrisGames) {
    const Home home;
    home.Prefix("Games/trassimo", kTrassimo);
    home.Prefix("Games/anderes");
    home.Prefix("flatpak-prefix");
    home.Write(".config/lutris/games/trassimo-1612345678.yml",
               "game:\n  exe: drive_c/Programme/Trassimo/Trassimo.exe\n  prefix: " +
                   home.Path("Games/trassimo") +
                   "\ngame_slug: trassimo\nname: Trassimo\n"
                   "runner: wine\nwine:\n  version: lutris-7.2\n");
    // Older files have no name; "~" stands for the home folder.
    home.Write(".local/share/lutris/games/anderes-spiel-1700000000.yml",
               "game:\n  prefix: ~/Games/anderes\nsystem: {}\n");
    home.Write(".local/share/lutris/games/nativ-1.yml", "game:\n  exe: /usr/bin/nativ\n");
    home.Write(".local/share/lutris/games/leer.yml", "");
    home.Write(".local/share/lutris/games/kaputt.yml", "game: [prefix: \"\n  : :\n");
    home.Write(".local/share/lutris/games/liste.yml", "- game\n- prefix\n");
    home.Write(".local/share/lutris/games/notiz.txt", "game:\n  prefix: /\n");
    home.Write(".var/app/net.lutris.Lutris/data/lutris/games/fp-2.yml",
               "name: Im Flatpak\ngame:\n  prefix: $HOME/flatpak-prefix\n");
    EXPECT_EQ(Summary(home, home.Search()),
              (Lines{"Lutris: Trassimo | Games/trassimo | " + kAppPath,
                     "Lutris: anderes-spiel | Games/anderes | -",
                     "Lutris (Flatpak): Im Flatpak | flatpak-prefix | -"}));
}

TEST(PrefixDiscovery, BottlesIncludingACustomBottlesFolder) {
    const Home home;
    home.Prefix(".local/share/bottles/bottles/Spiele", kTrassimo);
    home.Write(".local/share/bottles/bottles/Spiele/bottle.yml",
               "Arch: win64\nName: Meine Spiele\nPath: Spiele\nRunner: soda-7.0-9\n");
    home.Prefix(".local/share/bottles/bottles/Ohne-Datei");
    home.Prefix(".var/app/com.usebottles.bottles/data/bottles/bottles/Flat");
    home.Prefix("Flaschen/Trassimo", kTrassimo);
    home.Write("Flaschen/Trassimo/bottle.yml", "Name: Trassimo\n");
    home.Write(".var/app/com.usebottles.bottles/data/bottles/data.yml",
               "custom_bottles_path: " + home.Path("Flaschen") + "\n");
    EXPECT_EQ(Summary(home, home.Search()),
              (Lines{"Bottles: Ohne-Datei | .local/share/bottles/bottles/Ohne-Datei | -",
                     "Bottles: Meine Spiele | .local/share/bottles/bottles/Spiele | " + kAppPath,
                     "Bottles (Flatpak): Flat | .var/app/com.usebottles.bottles/data/bottles/"
                     "bottles/Flat | -",
                     "Bottles (Flatpak): Trassimo | Flaschen/Trassimo | " + kAppPath}));
}

TEST(PrefixDiscovery, XdgFoldersAreSearchedToo) {
    const Home home;
    home.Prefix("daten/wineprefixes/w", kTrassimo);
    home.Prefix("daten/bottles/bottles/b");
    home.Prefix("Games/l");
    home.Write("konfig/lutris/games/l.yml", "game:\n  prefix: ~/Games/l\n");
    const std::vector<FoundPrefix> found =
        FindWinePrefixes({home.Path(""), home.Path("daten"), home.Path("konfig")});
    EXPECT_EQ(Summary(home, found),
              (Lines{"winetricks: w | daten/wineprefixes/w | " + kAppPath,
                     "Lutris: l | Games/l | -", "Bottles: b | daten/bottles/bottles/b | -"}));
}

TEST(PrefixDiscovery, SeveralToolsAtOnceAndTheOnesHoldingTrassimo) {
    const Home home;
    home.Prefix(".wine");
    home.Prefix(".local/share/Steam/steamapps/compatdata/1234560/pfx", kTrassimo);
    home.Prefix(".PlayOnLinux/wineprefix/Alt", kTrassimo);
    const std::vector<FoundPrefix> found = home.Search();
    ASSERT_EQ(found.size(), 3u);
    const std::vector<FoundPrefix> holding = PrefixesHoldingTrassimo(found);
    ASSERT_EQ(holding.size(), 2u);
    EXPECT_EQ(holding[0].origin, "Steam, App 1234560");
    EXPECT_EQ(holding[1].origin, "PlayOnLinux: Alt");
}

}  // namespace
}  // namespace quorvel::platform::posix
