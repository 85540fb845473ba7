#include "engine/PackageInstaller.h"

#include <memory>

#include "engine/CatalogueLock.h"
#include "platform/TextRules.h"

namespace quorvel {

namespace {
constexpr std::uint32_t kModulePathBufferSize = 260;
constexpr std::uint32_t kModulePathQuerySize = kModulePathBufferSize - 1;
constexpr int kProgressSteps = 4;
constexpr const char* kScriptFileName = "\\InstSkript.txt";
constexpr const char* kCatalogueFile = "Resourcen\\Parallels\\Texturen.txt";
}  // namespace

PackageInstaller::PackageInstaller(platform::Host& host, RunEvents& events)
    : InstallerBase(host),
      events_(events),
      scriptReader(host),
      catalogueLockWait_(kCatalogueLockWait) {}

bool PackageInstaller::FindPackage() {
    cataloguePath = targetDir + kCatalogueFile;
    const auto buffer = std::make_unique<char[]>(kModulePathBufferSize);
    const std::uint32_t length = host_.ModuleFileName(buffer.get(), kModulePathQuerySize);
    // A path that was cut to fit the query would name the wrong folder.
    if (length == 0 || length >= kModulePathQuerySize) {
        return false;
    }
    installerDir = platform::DirectoryOf(std::string_view(buffer.get(), length));
    return true;
}

bool PackageInstaller::OpenScript() {
    return scriptReader.Open(installerDir + kScriptFileName);
}

StatusCode PackageInstaller::Install() {
    events_.SetRange(0, kProgressSteps);
    int position = 0;
    events_.SetPosition(position);
    auto step = [this, &position] { events_.SetPosition(++position); };

    if (!FindPackage()) {
        // Without the package folder no stage can find its files: nothing is touched.
        while (position < kProgressSteps) {
            step();
        }
        return kStatusFailure;
    }
    step();
    const bool scriptOpened = OpenScript();
    step();
    const bool filesInstalled = InstallFiles();
    step();
    const bool texturesMerged = MergeTextures();
    step();

    return scriptOpened && filesInstalled && texturesMerged ? kStatusSuccess : kStatusFailure;
}

}  // namespace quorvel
