#include "bench/GeneratedPackage.h"

#include <algorithm>
#include <fstream>
#include <random>
#include <stdexcept>
#include <vector>

namespace quorvel::bench {

namespace {
namespace fs = std::filesystem;

// About 110 bytes a block, as Trassimo writes them.
std::string Block(std::int64_t id, const char* field) {
    const std::string n = std::to_string(id);
    return "Textur{\r\n  id(" + n + ")\r\n  name(" + field + "_" + n + ")\r\n  datei(Texturen\\" +
           field + "_" + n + ".bmp)\r\n  groesse(256 256)\r\n}\r\n";
}

void WriteWhole(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

std::string WindowsPath(const fs::path& path) {
    std::string windows = "Z:" + path.string();
    std::replace(windows.begin(), windows.end(), '/', '\\');
    return windows;
}
}  // namespace

GeneratedPackage::GeneratedPackage(const PackageShape& shape) {
    folder_ =
        fs::temp_directory_path() / ("quorvel-bench-" + std::to_string(std::random_device{}()));
    fs::create_directories(folder_ / "Paket");
    fs::create_directories(folder_ / "Sim" / "Resourcen" / "Parallels");

    catalogue_ = "{\r\n";
    for (std::int64_t block = 0; block < shape.blocks; ++block) {
        catalogue_ += Block(shape.firstId + block * shape.idStep, "Ziegel");
    }
    catalogue_ += "}\r\n";
    RestoreCatalogue();

    // Entries spread over the whole catalogue, in shuffled order: replacing a block, inserting
    // a new id halfway between two blocks, or (at the end) after the last block.
    std::vector<std::string> entries;
    const std::int64_t spacing =
        std::max<std::int64_t>(1, shape.blocks / std::max<std::int64_t>(1, shape.entries));
    for (std::int64_t entry = 0; entry < shape.entries; ++entry) {
        const std::int64_t block = (entry * spacing + entry / 2) % shape.blocks;
        const bool inserted =
            shape.kind == EntryKind::kInsertions ||
            (shape.kind == EntryKind::kHalfReplacedHalfInserted && entry % 2 == 1);
        std::int64_t id = shape.firstId + block * shape.idStep + (inserted ? shape.idStep / 2 : 0);
        if (shape.kind == EntryKind::kAtTheEnd) {
            id = shape.firstId + (shape.blocks + entry) * shape.idStep;
        }
        entries.push_back("  { " + std::to_string(id) + " >> " + Block(id, "Neu") + " }\r\n");
    }
    std::shuffle(entries.begin(), entries.end(), std::mt19937(12345));
    std::string script = "Dateinstallation\r\n{\r\n}\r\nTexturskript\r\n{\r\n";
    for (const std::string& entry : entries) {
        script += entry;
    }
    WriteWhole(folder_ / "Paket" / "InstSkript.txt", script + "}\r\n");
}

GeneratedPackage::~GeneratedPackage() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

void GeneratedPackage::RestoreCatalogue() const {
    WriteWhole(CatalogueFile(), catalogue_);
}

std::filesystem::path GeneratedPackage::CatalogueFile() const {
    return folder_ / "Sim" / "Resourcen" / "Parallels" / "Texturen.txt";
}

std::string GeneratedPackage::CataloguePath() const {
    return WindowsPath(CatalogueFile());
}

std::string GeneratedPackage::TrassimoPath() const {
    return WindowsPath(folder_ / "Sim" / "Trassimo.exe");
}

std::string GeneratedPackage::InstallerPath() const {
    return WindowsPath(folder_ / "Paket" / "Quorvel.exe");
}

}  // namespace quorvel::bench
