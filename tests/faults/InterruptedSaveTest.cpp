// A process killed at any moment while it merges and saves a large catalogue: afterwards the
// catalogue is always the old one or the new one, whole, never a mixture or a cut-off text.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <string>

#include "tests/support/PackageFixture.h"

namespace quorvel {
namespace {

constexpr const char* kCatalogue = "Sim\\Resourcen\\Parallels\\Texturen.txt";
constexpr int kKills = 100;

std::string LargeCatalogue() {
    std::string text = "{\r\n";
    for (int id = 1; id <= 60000; ++id) {
        text += "  Textur{ id(" + std::to_string(id * 2) + ") datei(T" + std::to_string(id) +
                ".bmp) breite(64) hoehe(64) }\r\n";
    }
    return text + "}\r\n";
}

TEST(InterruptedSave, TheCatalogueIsAlwaysTheOldOrTheNewOne) {
    test::PackageFixture package;
    const std::string old = LargeCatalogue();
    package.WriteScript(
        "Texturskript{{3>>Textur{id(3)datei(Neu.bmp)}}{40000>>Textur{id(40000)datei(Ersatz.bmp)}}"
        "{999999>>Textur{id(999999)}}}");

    // The new catalogue, and how long one merge and save takes.
    package.tree.WriteFile(kCatalogue, old);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(package.MergeTextures());
    const auto duration = std::chrono::steady_clock::now() - start;
    const std::string merged = package.tree.ReadFile(kCatalogue);
    ASSERT_NE(merged, old);

    std::mt19937 random(20261208);
    const auto longest = std::chrono::duration_cast<std::chrono::microseconds>(duration) * 3 / 2;
    std::uniform_int_distribution<long> delay(0, static_cast<long>(longest.count()));
    int oldSeen = 0;
    int newSeen = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        package.tree.WriteFile(kCatalogue, old);
        const pid_t child = ::fork();
        if (child == 0) {
            ::_exit(package.MergeTextures() ? 0 : 1);
        }
        ::usleep(static_cast<useconds_t>(delay(random)));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);

        const std::string found = package.tree.ReadFile(kCatalogue);
        ASSERT_TRUE(found == old || found == merged)
            << "kill " << kill << ": a catalogue of " << found.size() << " bytes is neither";
        (found == old ? oldSeen : newSeen) += 1;
    }
    std::printf("%d kills: %d times the old catalogue, %d times the new one\n", kKills, oldSeen,
                newSeen);
}

}  // namespace
}  // namespace quorvel
