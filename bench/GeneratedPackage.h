// A texture catalogue and an install script of a chosen size, written to a temporary folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace quorvel::bench {

// What the entries of the texture section do to the catalogue.
enum class EntryKind {
    kHalfReplacedHalfInserted,  // alternately
    kReplacements,              // each replaces a block
    kInsertions,                // each goes between two blocks
    kAtTheEnd,                  // each goes after the last block
};

struct PackageShape {
    std::int64_t blocks = 0;   // blocks in the catalogue
    std::int64_t firstId = 0;  // id of the first block
    std::int64_t idStep = 0;   // distance between the ids of neighbouring blocks
    std::int64_t entries = 0;  // entries of the texture section
    EntryKind kind = EntryKind::kHalfReplacedHalfInserted;
};

class GeneratedPackage {
public:
    explicit GeneratedPackage(const PackageShape& shape);
    ~GeneratedPackage();
    GeneratedPackage(const GeneratedPackage&) = delete;
    GeneratedPackage& operator=(const GeneratedPackage&) = delete;

    // Writes the catalogue as it was before any merge.
    void RestoreCatalogue() const;

    // Windows paths, as the installer names files: the catalogue below Trassimo's folder, the
    // executable Trassimo is registered with, and the installer in the package folder.
    std::string CataloguePath() const;
    std::string TrassimoPath() const;
    std::string InstallerPath() const;
    std::size_t CatalogueBytes() const { return catalogue_.size(); }
    // The catalogue's own path on this host.
    std::string CatalogueHostPath() const { return CatalogueFile().string(); }

private:
    std::filesystem::path CatalogueFile() const;

    std::filesystem::path folder_;
    std::string catalogue_;
};

}  // namespace quorvel::bench
