// The installer object: one install run of the package beside the running executable.
#pragma once

#include <cstdint>
#include <string>

#include "engine/InstallerBase.h"
#include "script/ScriptReader.h"

namespace quorvel {

class PackageInstaller : public InstallerBase {
public:
    PackageInstaller() = default;
    ~PackageInstaller() = default;

    // Opens the install script, installs the files of "Dateinstallation" and merges the
    // definitions of "Texturskript" into the texture catalogue, moving the progress bar from 0
    // to 4 around these stages. Every stage runs whatever the others returned; the result is
    // kStatusSuccess only when all of them succeeded.
    StatusCode Install(platform::ProgressBar& progressBar) override;

    // The file installation section (stage 2); true when no copy failed.
    bool InstallFiles();
    // Makes sure the directory that holds `filePath` exists, creating missing ones above it.
    bool EnsureDirectory(const std::string& filePath);
    // True when the existing destination is newer than the source, so it is not replaced
    // without asking.
    bool IsTargetNewer(const std::string& destination, const std::string& source);

    // The texture section (stage 3): merges the definitions into the catalogue and saves it.
    bool MergeTextures();
    // The texture catalogue in memory: read whole, and written back in normalised form.
    bool LoadCatalogue();
    bool SaveCatalogue();
    // The number in the last id marker of catalogueText.
    std::int32_t LastTextureId() const;
    // Where the definition of `id` goes; with `remove` the block holding its marker is erased.
    // Returns std::string::npos when the catalogue offers no valid place.
    std::size_t LocateTexture(std::int32_t id, std::int32_t last, bool remove);
    // The "}" closing the first "{" at or after `from`, or std::string::npos.
    std::size_t FindBlockEnd(std::size_t from) const;

    const std::string& InstallerDir() const { return installerDir; }
    const std::string& CataloguePath() const { return cataloguePath; }
    const std::string& CatalogueText() const { return catalogueText; }

protected:
    ScriptReader scriptReader;
    std::string installerDir;   // the package folder, without a trailing backslash
    std::string cataloguePath;  // Trassimo's texture catalogue
    std::string catalogueText;  // the catalogue's text in normalised form

private:
    // Sets installerDir from the executable's path; false when the path cannot be obtained
    // whole.
    bool SetInstallerDirFromModulePath();
    // Copies one entry of the file section; false when its copy failed.
    bool InstallFileEntry(const std::string& entry);
};

}  // namespace quorvel
