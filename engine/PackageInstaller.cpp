#include "engine/PackageInstaller.h"

#include <memory>

#include "platform/Application.h"
#include "platform/Files.h"

namespace quorvel {

namespace {
constexpr std::uint32_t kModulePathBufferSize = 260;
constexpr std::uint32_t kModulePathQuerySize = kModulePathBufferSize - 1;
constexpr int kProgressSteps = 4;
constexpr const char* kScriptFileName = "\\InstSkript.txt";
constexpr const char* kCatalogueFile = "Resourcen\\Parallels\\Texturen.txt";
}  // namespace

bool PackageInstaller::SetInstallerDirFromModulePath() {
    platform::Application* application = platform::Application::Current();
    const auto buffer = std::make_unique<char[]>(kModulePathBufferSize);
    const std::uint32_t length =
        application != nullptr ? application->ModuleFileName(buffer.get(), kModulePathQuerySize)
                               : platform::ExecutablePath(buffer.get(), kModulePathQuerySize);
    // A path that was cut to fit the query would name the wrong folder.
    if (length == 0 || length >= kModulePathQuerySize) {
        return false;
    }
    const std::string modulePath(buffer.get(), length);
    const std::size_t lastBackslash = modulePath.rfind('\\');
    installerDir =
        lastBackslash == std::string::npos ? modulePath : modulePath.substr(0, lastBackslash);
    return true;
}

StatusCode PackageInstaller::Install(platform::ProgressBar& progressBar) {
    progressBar.SetRange(0, kProgressSteps);
    int position = 0;
    progressBar.SetPosition(position);
    auto step = [&progressBar, &position] { progressBar.SetPosition(++position); };

    if (!SetInstallerDirFromModulePath()) {
        // Without the package folder no stage can find its files: nothing is touched.
        while (position < kProgressSteps) {
            step();
        }
        return kStatusFailure;
    }
    const std::string scriptPath = installerDir + kScriptFileName;
    cataloguePath = targetDir + kCatalogueFile;
    step();

    const bool scriptOpened = scriptReader.Open(scriptPath);
    step();
    const bool filesInstalled = InstallFiles();
    step();
    const bool texturesMerged = MergeTextures();
    step();

    return scriptOpened && filesInstalled && texturesMerged ? kStatusSuccess : kStatusFailure;
}

}  // namespace quorvel
