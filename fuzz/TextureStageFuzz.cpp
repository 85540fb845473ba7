// Any bytes split into an install script and a texture catalogue, the whole texture stage run
// on real files. A successful merge must leave a catalogue whose normalised form is stable; a
// failed one must leave the catalogue byte for byte as it was; no temporary file may remain.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/PackageInstaller.h"
#include "fuzz/FuzzFiles.h"

namespace {

class FuzzInstaller : public quorvel::PackageInstaller {
public:
    FuzzInstaller(const std::string& script, const std::string& catalogue) {
        scriptReader.Open(script);
        cataloguePath = catalogue;
    }
};

// Loads a catalogue file and gives its normalised text; aborts when it cannot be read.
std::string Normalised(const quorvel::fuzz::FuzzFolder& folder, const std::string& name) {
    FuzzInstaller installer(folder.Windows("none"), folder.Windows(name));
    if (!installer.LoadCatalogue()) {
        std::abort();
    }
    return installer.CatalogueText();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const quorvel::fuzz::FuzzFolder folder;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // The script comes first; a zero byte, where there is one, starts the catalogue.
    const std::size_t split = input.find('\0');
    const std::string script(input.substr(0, split));
    const std::string catalogue(split == std::string_view::npos ? std::string_view()
                                                                : input.substr(split + 1));
    folder.Write("InstSkript.txt", script);
    folder.Write("Texturen.txt", catalogue);

    bool merged = false;
    {
        FuzzInstaller installer(folder.Windows("InstSkript.txt"), folder.Windows("Texturen.txt"));
        merged = installer.MergeTextures();
    }
    if (folder.EntryCount() != 2) {
        std::abort();  // a temporary file was left behind
    }
    if (!merged) {
        if (folder.Read("Texturen.txt") != catalogue) {
            std::abort();  // a failed merge touched the catalogue
        }
        return 0;
    }
    // Written once more from its own text, the catalogue must load to the same text.
    const std::string once = Normalised(folder, "Texturen.txt");
    FuzzInstaller rewriter(folder.Windows("none"), folder.Windows("Texturen.txt"));
    if (!rewriter.LoadCatalogue() || !rewriter.SaveCatalogue()) {
        std::abort();
    }
    if (Normalised(folder, "Texturen.txt") != once) {
        std::abort();  // the normalised form is not stable
    }
    return 0;
}
