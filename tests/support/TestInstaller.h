// A PackageInstaller whose folders a test sets, and a package laid out in a temporary tree.
#pragma once

#include <string>

#include "engine/PackageInstaller.h"
#include "tests/support/RecordingProgressBar.h"
#include "tests/support/TempTree.h"
#include "tests/support/TestApplication.h"

namespace quorvel::test {

class TestInstaller : public PackageInstaller {
public:
    void SetTargetDir(const std::string& directory) { targetDir = directory; }
    void SetInstallerDir(const std::string& directory) { installerDir = directory; }
    void SetCataloguePath(const std::string& path) { cataloguePath = path; }
    void SetCatalogueText(const std::string& text) { catalogueText = text; }
    ScriptReader& Reader() { return scriptReader; }
};

// A package folder "Paket" and a Trassimo folder "Sim" in one temporary tree, with the
// application object pointing the installer at the package.
class PackageFixture {
public:
    PackageFixture() { application.SetModulePath(tree.Path("Paket\\Quorvel.exe")); }

    // Writes the install script of the package.
    void WriteScript(const std::string& script) const {
        tree.WriteFile("Paket\\InstSkript.txt", script);
    }
    // Windows paths of a package file and of a file under Trassimo's folder.
    std::string PackagePath(const std::string& relative) const {
        return tree.Path("Paket\\" + relative);
    }
    std::string SimPath(const std::string& relative) const { return tree.Path("Sim\\" + relative); }
    std::string SimDir() const { return tree.Path("Sim\\"); }

    // An installer whose lookup found the Trassimo folder, as after LookupTarget.
    TestInstaller& Installer() {
        installer.SetTargetDir(SimDir());
        return installer;
    }
    // Runs the file section alone, as the install run does after opening the script, with an
    // installer of its own that closes the script again when it is done.
    bool InstallFiles() {
        TestInstaller run;
        run.SetTargetDir(SimDir());
        run.SetInstallerDir(tree.Path("Paket"));
        run.Reader().Open(PackagePath("InstSkript.txt"));
        return run.InstallFiles();
    }

    // Runs the texture stage alone on the catalogue below Trassimo's folder at `relative`, as
    // the install run does after opening the script; true when the catalogue was saved.
    bool MergeTextures(const std::string& relative) const {
        TestInstaller run;
        run.SetCataloguePath(SimPath(relative));
        run.Reader().Open(PackagePath("InstSkript.txt"));
        return run.MergeTextures();
    }

    TempTree tree;
    TestApplication application;
    RecordingProgressBar progressBar;

private:
    TestInstaller installer;
};

}  // namespace quorvel::test
