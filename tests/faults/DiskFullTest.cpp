// A disk that fills up during a run: the copy or the save fails and is reported, and the old
// file stays byte for byte as it was, with no temporary file left beside it.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/InstallCommand.h"
#include "app/MessageTable.h"
#include "tests/faults/LimitedDisk.h"
#include "tests/support/PackageFixture.h"
#include "tests/support/RecordingDialog.h"

namespace quorvel {
namespace {

using Observations = std::vector<std::string>;
using test::Message;

constexpr const char* kCatalogue = "Sim\\Resourcen\\Parallels\\Texturen.txt";

std::string Bytes(std::size_t size, char seed) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>(seed + static_cast<char>(i % 61));
    }
    return bytes;
}

// A catalogue of `blocks` texture blocks in file layout.
std::string Catalogue(int blocks) {
    std::string text = "{\r\n";
    for (int id = 1; id <= blocks; ++id) {
        text += "  Textur{ id(" + std::to_string(id * 10) + ") datei(Textur" + std::to_string(id) +
                ".bmp) breite(256) hoehe(256) }\r\n";
    }
    return text + "}\r\n";
}

class DiskFullTest : public ::testing::TestWithParam<test::FullDisk> {
protected:
    DiskFullTest() { package.tree.MakeDirectory("Sim"); }
    // Runs the install command and gives its messages, then what is to be checked on disk.
    Observations RunAndLook(const std::vector<std::string>& files,
                            const std::vector<std::string>& folders) {
        test::RecordingDialog dialog;
        app::RunInstallCommand(dialog, package.application);
        Observations seen = package.application.Texts();
        for (const std::string& file : files) {
            seen.push_back(file + ": " + std::to_string(package.tree.ReadFile(file).size()) +
                           " bytes, " + (package.tree.ReadFile(file) == old ? "old" : "changed"));
        }
        for (const std::string& folder : folders) {
            seen.push_back(folder + ": " + package.tree.ListHostNames(folder));
        }
        return seen;
    }

    // Runs with the disk full; nothing where this way of filling it is not possible here.
    std::optional<Observations> WithFullDisk(test::DiskLimits limits,
                                             const std::function<void()>& prepare,
                                             const std::function<Observations()>& body) {
        return test::RunWithFullDisk(GetParam(), package.tree.HostPath("Sim"), limits, prepare,
                                     body);
    }

    test::PackageFixture package;
    std::string old;
};

TEST_P(DiskFullTest, ACopyOntoAFullDiskKeepsTheOldFile) {
    old = Bytes(100 * 1024, 'a');
    package.tree.WriteFile("Paket\\Gross.dat", Bytes(3 * 1024 * 1024, 'n'));
    package.tree.WriteFile("Paket\\klein.dat", "klein");
    package.WriteScript("Dateinstallation{{Gross.dat>>Gross.dat}{klein.dat>>klein.dat}}");

    const std::optional<Observations> seen = WithFullDisk(
        {1024 * 1024, 1024 * 1024},
        [&] {
            package.tree.WriteFile("Sim\\Gross.dat", old);
            package.tree.SetLastWriteTime("Sim\\Gross.dat", test::FileTimeAt(1));  // older
        },
        [&] {
            return RunAndLook({"Sim\\Gross.dat", "Sim\\klein.dat"}, {"Sim"});
        });

    const Observations expected = {
        Message(105, {package.PackagePath("Gross.dat"), package.SimPath("Gross.dat")}),
        app::MessageText(app::kMessageInstallFailed),
        "Sim\\Gross.dat: 102400 bytes, old",
        "Sim\\klein.dat: 5 bytes, changed",
        "Sim: Gross.dat Quorvel klein.dat",  // no temporary file; the history's folder
    };
    if (!seen) {
        GTEST_SKIP() << "no tmpfs can be mounted here";
    }
    EXPECT_EQ(*seen, expected);
}

TEST_P(DiskFullTest, ACatalogueSaveOntoAFullDiskKeepsTheOldCatalogue) {
    old = Catalogue(5000);
    ASSERT_GT(old.size(), 300000u);
    package.WriteScript("Texturskript{{5>>Textur{id(5)datei(Neu.bmp)}}}");

    const std::optional<Observations> seen = WithFullDisk(
        {old.size() + old.size() / 2, old.size() / 2},
        [&] { package.tree.WriteFile(kCatalogue, old); },
        [&] { return RunAndLook({kCatalogue}, {"Sim\\Resourcen\\Parallels"}); });

    const Observations expected = {
        app::MessageText(app::kMessageInstallFailed),
        std::string(kCatalogue) + ": " + std::to_string(old.size()) + " bytes, old",
        "Sim\\Resourcen\\Parallels: Texturen.txt Texturen.txt.lock",
    };
    if (!seen) {
        GTEST_SKIP() << "no tmpfs can be mounted here";
    }
    EXPECT_EQ(*seen, expected);
}

// Where no tmpfs can be mounted (not root, or no permission in a container), only the
// file-size limit fills the disk.
INSTANTIATE_TEST_SUITE_P(FillingTheDisk, DiskFullTest,
                         ::testing::Values(test::FullDisk::kTmpfs, test::FullDisk::kFileSizeLimit),
                         [](const ::testing::TestParamInfo<test::FullDisk>& way) {
                             return way.param == test::FullDisk::kTmpfs ? "Tmpfs" : "FileSizeLimit";
                         });

}  // namespace
}  // namespace quorvel
