// The installer object: one install run of the package beside the running installer.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

#include "catalogue/TextureCatalogue.h"
#include "engine/InstallerBase.h"
#include "engine/RunEvents.h"
#include "script/ScriptReader.h"

namespace quorvel {

class PackageInstaller final : public InstallerBase {
public:
    // An installer that works on `host` and tells `events` what the run does.
    PackageInstaller(platform::Host& host, RunEvents& events);
    ~PackageInstaller() = default;

    // Opens the install script, installs the files of "Dateinstallation" and merges the
    // definitions of "Texturskript" into the texture catalogue, moving the progress from 0 to 4
    // around these stages. Every stage runs whatever the others returned; the result is
    // kStatusSuccess only when all of them succeeded. LookupTarget has succeeded before.
    StatusCode Install() override;

    // What Install does before the file section: the package folder from the installer's own
    // path, the catalogue's path below targetDir, and the script opened. False when the package
    // folder cannot be known or the script cannot be opened.
    bool FindPackage();
    bool OpenScript();

    // The file installation section (stage 2); true when no copy failed.
    bool InstallFiles();
    // Makes sure the directory that holds `filePath` exists, creating missing ones above it.
    bool EnsureDirectory(const std::string& filePath);
    // True when the existing destination is newer than the source, so it is not replaced
    // without asking.
    bool IsTargetNewer(const std::string& destination, const std::string& source);

    // The texture section (stage 3): merges the definitions into the catalogue and saves it,
    // holding the catalogue's lock from before the load until after the save.
    bool MergeTextures();
    // How long the texture section waits for the lock another run holds (kCatalogueLockWait).
    void SetCatalogueLockWait(std::chrono::milliseconds wait) { catalogueLockWait_ = wait; }
    // The texture catalogue in memory: read whole, and written back in normalised form.
    bool LoadCatalogue();
    bool SaveCatalogue();
    // The number in the last id marker of the catalogue's text.
    std::int32_t LastTextureId() const;
    // Where the definition of `id` goes; with `remove` the block holding its marker is erased.
    // Returns std::string::npos when the catalogue offers no valid place.
    std::size_t LocateTexture(std::int32_t id, std::int32_t last, bool remove);
    // The "}" closing the first "{" at or after `from`, or std::string::npos.
    std::size_t FindBlockEnd(std::size_t from) const;

    const std::string& InstallerDir() const { return installerDir; }
    const std::string& CataloguePath() const { return cataloguePath; }
    const std::string& CatalogueText() const { return catalogueText.Text(); }

private:
    // What IsTargetNewer found out about the two files.
    struct TimeComparison {
        bool newer = false;
        bool destinationOpened = false;
        std::optional<platform::FileTime> destinationTime;
        std::optional<platform::FileTime> sourceTime;
    };
    TimeComparison CompareTimes(const std::string& destination, const std::string& source);

    // Copies one entry of the file section; false when its copy failed.
    bool InstallFileEntry(const std::string& entry, std::size_t line);
    // Merges one entry of the texture section; false when the catalogue offers it no place.
    bool MergeTextureEntry(const std::string& entry, std::size_t line);
    void ReportCopyFailure(const FileEntryPaths& paths);

    RunEvents& events_;
    ScriptReader scriptReader;
    std::string installerDir;                   // the package folder, without a trailing backslash
    std::string cataloguePath;                  // Trassimo's texture catalogue
    catalogue::TextureCatalogue catalogueText;  // the catalogue in normalised form
    std::chrono::milliseconds catalogueLockWait_;
};

}  // namespace quorvel
