// Any bytes split into an install script and a texture catalogue, the whole texture stage run
// on real files. A successful merge must leave a catalogue whose normalised form is stable; a
// failed one must leave the catalogue byte for byte as it was; no temporary file may remain.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue/TextureCatalogue.h"
#include "engine/PackageInstaller.h"
#include "fuzz/FuzzFiles.h"
#include "platform/MachineHost.h"
#include "tests/support/QuietRunEvents.h"
#include "tests/support/TestRegistry.h"

namespace {

constexpr const char* kFolder = "Sim/Resourcen/Parallels";
constexpr const char* kCatalogue = "Sim/Resourcen/Parallels/Texturen.txt";
constexpr const char* kCatalogueLock = "Sim/Resourcen/Parallels/Texturen.txt.lock";

// A package folder and a Trassimo folder, with Trassimo registered in a prefix of its own.
struct Stage {
    Stage() {
        folder.MakeFolders(kFolder);
        folder.MakeFolders("Paket");
        registry.RegisterTrassimo(folder.Windows("Sim/Trassimo.exe"));
        host.SetInstallerPath(folder.Windows("Paket/Quorvel.exe"));
    }

    quorvel::fuzz::FuzzFolder folder;
    quorvel::test::TestRegistry registry;
    quorvel::platform::MachineHost host;
};

// Loads a catalogue file and gives its normalised text; aborts when it cannot be read.
std::string Normalised(Stage& stage) {
    const std::optional<quorvel::catalogue::TextureCatalogue> loaded =
        quorvel::catalogue::TextureCatalogue::Load(stage.host, stage.folder.Windows(kCatalogue));
    if (!loaded) {
        std::abort();
    }
    return loaded->Text();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Stage stage;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // The script comes first; a zero byte, where there is one, starts the catalogue.
    const std::size_t split = input.find('\0');
    const std::string script(input.substr(0, split));
    const std::string catalogue(split == std::string_view::npos ? std::string_view()
                                                                : input.substr(split + 1));
    stage.folder.Write("Paket/InstSkript.txt", script);
    stage.folder.Write(kCatalogue, catalogue);

    bool merged = false;
    {
        quorvel::test::QuietRunEvents events;
        quorvel::PackageInstaller installer(stage.host, events);
        if (installer.LookupTarget() != quorvel::kStatusSuccess || !installer.FindPackage()) {
            std::abort();
        }
        installer.OpenScript();
        merged = installer.MergeTextures();
    }
    // The catalogue, and its lock file once a texture section has run.
    const std::size_t expected = stage.folder.Exists(kCatalogueLock) ? 2 : 1;
    if (stage.folder.EntryCount(kFolder) != expected) {
        std::abort();  // a temporary file was left behind
    }
    if (!merged) {
        if (stage.folder.Read(kCatalogue) != catalogue) {
            std::abort();  // a failed merge touched the catalogue
        }
        return 0;
    }
    // Written once more from its own text, the catalogue must load to the same text.
    const std::string once = Normalised(stage);
    const quorvel::catalogue::TextureCatalogue rewritten(once);
    if (!IsSuccess(stage.host.ReplaceFileContent(stage.folder.Windows(kCatalogue),
                                                 rewritten.FileBytes()))) {
        std::abort();
    }
    if (Normalised(stage) != once) {
        std::abort();  // the normalised form is not stable
    }
    return 0;
}
