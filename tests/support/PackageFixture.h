// A package folder "Paket" and a Trassimo folder "Sim" in one temporary tree, with Trassimo
// registered and the application object pointing the installer at the package, and installers
// that run on them as the install command would.
#pragma once

#include <memory>
#include <string>

#include "app/DialogRunEvents.h"
#include "engine/PackageInstaller.h"
#include "tests/support/RecordingProgressBar.h"
#include "tests/support/TempTree.h"
#include "tests/support/TestApplication.h"
#include "tests/support/TestRegistry.h"

namespace quorvel::test {

// Whether a fixture registers its Trassimo folder.
enum class Trassimo { kRegistered, kNotRegistered };

class PackageFixture {
public:
    explicit PackageFixture(Trassimo trassimo = Trassimo::kRegistered);

    // Registers the fixture's Trassimo folder.
    void RegisterTrassimo() { registry.RegisterTrassimo(SimPath("Trassimo.exe")); }

    // Writes the install script of the package, after the installer made last has closed it.
    void WriteScript(const std::string& script) {
        installer_.reset();
        tree.WriteFile("Paket\\InstSkript.txt", script);
    }
    // Windows paths of a package file and of a file under Trassimo's folder.
    std::string PackagePath(const std::string& relative) const {
        return tree.Path("Paket\\" + relative);
    }
    std::string SimPath(const std::string& relative) const { return tree.Path("Sim\\" + relative); }
    std::string SimDir() const { return tree.Path("Sim\\"); }

    // A new installer whose lookup found the Trassimo folder, as after LookupTarget; the one
    // made before is destroyed first, which closes its script.
    PackageInstaller& Installer();
    // A new installer that found the package and opened its script.
    PackageInstaller& InstallerWithScript();

    // Runs the file section, or the texture section, alone, as the install run does after
    // opening the script, with a new installer.
    bool InstallFiles();
    bool MergeTextures();
    // The installer made last.
    const PackageInstaller& LastInstaller() const { return *installer_; }

    TempTree tree;
    TestRegistry registry;
    TestApplication application;
    RecordingProgressBar progressBar;
    app::DialogRunEvents events{progressBar, application};

private:
    std::unique_ptr<PackageInstaller> installer_;
};

}  // namespace quorvel::test
