#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/check/CheckCommand.h"
#include "platform/MachineHost.h"
#include "tests/support/TempTree.h"

namespace quorvel::app::check {
namespace {

using Found = std::vector<std::pair<std::string, std::size_t>>;  // code, line (0: the package)

struct CheckCase {
    const char* what;
    std::string script;
    std::vector<std::string> files;  // besides InstSkript.txt, each holding one byte
    Found expected;
};

const std::string kTextures = "\nTexturskript{}\n";

Found RunCheck(const CheckCase& c) {
    test::TempTree tree;
    tree.WriteFile("InstSkript.txt", c.script);
    for (const std::string& file : c.files) {
        tree.WriteFile(file, "x");
    }
    platform::MachineHost host;
    std::ostringstream notes;
    Found found;
    for (const Finding& finding : CheckPackage(host, tree.Root(), false, notes)) {
        found.emplace_back(finding.code, finding.line.value_or(0));
    }
    return found;
}

TEST(PackageCheck, FindsWhatTheInstallerWouldDoOtherwiseThanWritten) {
    const CheckCase cases[] = {
        {"a sound package",
         "Dateinstallation{\n{a.dat>>Res\\a.dat}\n}\nTexturskript{\n{5>>Textur{id(5)}}}\n",
         {"a.dat", "Quorvel.exe"},
         {}},
        {"a title line hides the first section",
         "Mein Paket\nDateinstallation{{a.dat>>a.dat}}" + kTextures,
         {"a.dat"},
         {{"section-hidden", 2}}},
        {"a name in the wrong case, a second section of one name",
         "dateinstallation{}\nTexturskript{}\nTexturskript{}",
         {},
         {{"section-name-misspelt", 1}, {"section-duplicate", 3}}},
        {"a misspelt name", "Dateiinstallation{}" + kTextures, {}, {{"section-name-misspelt", 1}}},
        {"stray text ends the section",
         "Dateinstallation{\n{a.dat>>a.dat}\nx\n{b.dat>>b.dat}\n}" + kTextures,
         {"a.dat", "b.dat"},
         {{"section-ended-early", 3}, {"file-unused", 0}}},
        {"entries without a brace of the section",
         "Dateinstallation\n{a.dat>>a.dat}}" + kTextures,
         {"a.dat"},
         {{"section-ended-early", 2}, {"braces-unbalanced", 2}, {"file-unused", 0}}},
        {"an entry cut off by the end of the file",
         "Texturskript{\n{5>>Textur{id(5)}",
         {},
         {{"braces-unbalanced", 1}, {"entry-cut-off", 2}}},
        {"an entry without >>",
         "Dateinstallation{\n{a.dat}\n}" + kTextures,
         {"a.dat"},
         {{"separator-missing", 2}, {"file-unused", 0}}},
        {"blanks removed from a source",
         "Dateinstallation{\n{Mein Haus.dat>>Mein Haus.dat}\n}" + kTextures,
         {"Mein Haus.dat"},
         {{"source-missing", 2}}},
        {"a source that is not there",
         "Dateinstallation{{fehlt.dat>>a.dat}}" + kTextures,
         {},
         {{"source-missing", 1}}},
        {"destinations outside Trassimo and names Windows cannot hold",
         "Dateinstallation{\n{a.dat>>..\\a.dat}\n{a.dat>>aux.txt}\n{a.dat>>x\\Lpt1}\n{a.dat>>a.}\n"
         "{a.dat>>a|b}\n{a.dat>>Ordner\\}\n{a.dat>>com10.txt}\n}" +
             kTextures,
         {"a.dat"},
         {{"destination-outside", 2},
          {"destination-name-invalid", 3},
          {"destination-name-invalid", 4},
          {"destination-name-invalid", 5},
          {"destination-name-invalid", 6},
          {"destination-name-invalid", 7}}},
        {"two entries with one destination",
         "Dateinstallation{\n{a.dat>>Res\\A.dat}\n{b.dat>>res/./a.DAT}\n}" + kTextures,
         {"a.dat", "b.dat"},
         {{"destination-duplicate", 3}}},
        {"texture entries of every fault",
         "Texturskript{\n{x1>>Textur{id(1)}}\n{2>>Textur{id(3)}}\n{4>>Bild{id(4)}}\n{5>>}\n"
         "{6>>Textur{a(1)}}\n{7>>Textur{id(7)}}\n{7>>Textur{id(7)}}\n{99999999999>>Textur{}}\n}",
         {},
         {{"texture-id-not-number", 2},
          {"marker-differs", 2},
          {"marker-differs", 3},
          {"definition-not-texture", 4},
          {"definition-empty", 5},
          {"marker-missing", 6},
          {"texture-id-duplicate", 8},
          {"texture-id-not-number", 9},
          {"marker-missing", 9}}},
        {"no texture section",
         "Dateinstallation{{a.dat>>a.dat}}",
         {"a.dat"},
         {{"texture-section-missing", 0}}},
        {"a file no entry names, in a folder",
         "Dateinstallation{}" + kTextures,
         {"Modelle\\Haus.dat"},
         {{"file-unused", 0}}},
        {"a script saved as UTF-8",
         "Dateinstallation{\n{G\xc3\xbc.dat>>G\xc3\xbc.dat}\n}" + kTextures,
         {},
         {{"script-utf8", 2}, {"source-missing", 2}}},
        {"a script saved as UTF-16",
         std::string("\xff\xfe"
                     "D\0a\0",
                     6),
         {},
         {{"script-utf16", 0}}},
        {"a UTF-8 byte-order mark hides the first section",
         "\xef\xbb\xbf"
         "Dateinstallation{}" +
             kTextures,
         {},
         {{"script-utf8", 1}, {"section-hidden", 1}}},
    };
    for (const CheckCase& c : cases) {
        EXPECT_EQ(RunCheck(c), c.expected) << c.what;
    }
}

TEST(PackageCheck, WithoutAScriptThereIsOneError) {
    test::TempTree tree;
    platform::MachineHost host;
    std::ostringstream notes;
    const Findings findings = CheckPackage(host, tree.Root(), false, notes);
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].code, "script-missing");
}

TEST(PackageCheck, ExitStatusAndJsonSayWhatWasFound) {
    struct StatusCase {
        std::string script;
        int status;
        const char* json;
    };
    const StatusCase cases[] = {
        {"Dateinstallation{}" + kTextures, 0, "{\n  \"findings\": []\n}\n"},
        {"Dateinstallation{}", 1, nullptr},
        {"Dateinstallation{{a>>b}}" + kTextures, 2,
         "{\n  \"findings\": [\n    {\n      \"severity\": \"error\",\n      \"line\": 1,\n"
         "      \"code\": \"source-missing\",\n      \"message\": \"Die Quelle \\\"a\\\" fehlt im "
         "Paket; der Installer meldet beim Kopieren einen Fehler.\"\n    }\n  ]\n}\n"},
    };
    for (const StatusCase& c : cases) {
        test::TempTree tree;
        tree.WriteFile("InstSkript.txt", c.script);
        platform::MachineHost host;
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(RunCheckCommand(host, tree.Root(), {true, false}, out, err), c.status)
            << c.script;
        if (c.json != nullptr) {
            EXPECT_EQ(out.str(), c.json);
        }
    }
}

}  // namespace
}  // namespace quorvel::app::check
