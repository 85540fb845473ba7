// How each stage of a whole install run grows with its input: a package of N file entries (small
// files in a hundred folders) and a catalogue of M blocks with a texture section of K entries,
// installed into an empty Trassimo folder. The progress bar's steps mark the stages' borders.
//   stage_times <file entries> <catalogue blocks> <texture entries> [work folder]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/PackageInstaller.h"
#include "platform/MachineHost.h"
#include "tests/support/QuietRunEvents.h"
#include "tests/support/TestRegistry.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::string WindowsPath(const fs::path& path) {
    std::string text = "Z:" + path.string();
    std::replace(text.begin(), text.end(), '/', '\\');
    return text;
}

void Write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr,
                     "usage: %s <file entries> <catalogue blocks> <texture entries> [work]\n",
                     argv[0]);
        return 2;
    }
    const long files = std::atol(argv[1]);
    const long blocks = std::atol(argv[2]);
    const long textures = std::atol(argv[3]);
    const fs::path work =
        argc > 4 ? fs::path(argv[4]) : fs::temp_directory_path() / "quorvel-stages";
    fs::remove_all(work);
    const fs::path package = work / "Paket";
    const fs::path sim = work / "Sim";
    fs::create_directories(sim / "Resourcen" / "Parallels");

    std::string script = "Dateinstallation\r\n{\r\n";
    for (long i = 0; i < files; ++i) {
        const std::string relative =
            "Modelle" + std::to_string(i % 100) + "\\M" + std::to_string(i) + ".dat";
        fs::create_directories(package / ("Modelle" + std::to_string(i % 100)));
        Write(package / ("Modelle" + std::to_string(i % 100)) / ("M" + std::to_string(i) + ".dat"),
              "Modell " + std::to_string(i) + "\r\n");
        script += "  {" + relative + " >> Resourcen\\" + relative + "}\r\n";
    }
    script += "}\r\nTexturskript\r\n{\r\n";
    for (long i = 0; i < textures; ++i) {
        // Half of them replace a block, half go between two blocks.
        const long id = (i * (blocks / std::max(textures, 1L))) * 10 + (i % 2 == 0 ? 10 : 15);
        script += "  {" + std::to_string(id) + " >> Textur{ id(" + std::to_string(id) +
                  ") datei(Neu" + std::to_string(i) + ".bmp) }}\r\n";
    }
    script += "}\r\n";
    Write(package / "InstSkript.txt", script);

    std::string catalogue = "{\r\n";
    for (long i = 1; i <= blocks; ++i) {
        catalogue += "  Textur{ id(" + std::to_string(i * 10) + ") datei(T" + std::to_string(i) +
                     ".bmp) breite(256) hoehe(256) }\r\n";
    }
    catalogue += "}\r\n";
    Write(sim / "Resourcen" / "Parallels" / "Texturen.txt", catalogue);

    quorvel::test::TestRegistry registry;
    registry.RegisterTrassimo(WindowsPath(sim / "Trassimo.exe"));
    quorvel::platform::MachineHost host;
    host.SetInstallerPath(WindowsPath(package / "Quorvel.exe"));
    quorvel::test::QuietRunEvents events;
    quorvel::PackageInstaller installer(host, events);

    const quorvel::StatusCode result = installer.LookupTarget() == quorvel::kStatusSuccess
                                           ? installer.Install()
                                           : quorvel::kStatusFailure;
    if (events.positionTimes.size() != 5) {
        std::fprintf(stderr, "Trassimo was not found\n");
        return 1;
    }
    auto seconds = [&](std::size_t from, std::size_t to) {
        return std::chrono::duration<double>(events.positionTimes[to] - events.positionTimes[from])
            .count();
    };
    std::printf(
        "files %ld, catalogue blocks %ld (%.1f MB), texture entries %ld: result %s, "
        "%d messages\n",
        files, blocks, static_cast<double>(catalogue.size()) / 1e6, textures,
        result == quorvel::kStatusSuccess ? "success" : "failure",
        events.questions + events.copyFailures);
    std::printf("  open script %.3f s   file stage %.3f s   texture stage %.3f s   total %.3f s\n",
                seconds(1, 2), seconds(2, 3), seconds(3, 4), seconds(0, 4));
    fs::remove_all(work);
    return result == quorvel::kStatusSuccess ? 0 : 1;
}
