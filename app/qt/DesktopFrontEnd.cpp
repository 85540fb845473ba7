#include "app/qt/DesktopFrontEnd.h"

#include <cstdlib>
#include <string>

#include <QtWidgets/QApplication>

#include "app/FrontEndChoice.h"
#include "app/qt/DesktopApp.h"

namespace quorvel::app::qt {

DesktopOutcome RunDesktopFrontEnd(const char* programName,
                                  const std::function<std::optional<std::string>()>& prepare) {
    std::string program = programName != nullptr ? programName : "quorvel";
    std::string platformOption = "-platform";
    std::string platforms = PlatformCandidates(
        {std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"), std::getenv("QT_QPA_PLATFORM")});
    // QApplication keeps references to these for its lifetime.
    char* arguments[] = {program.data(), platformOption.data(), platforms.data(), nullptr};
    int argumentCount = 3;
    QApplication qtApplication(argumentCount, arguments);
    if (QGuiApplication::platformName() ==
        QLatin1String(kNoDisplayPlatform.data(), kNoDisplayPlatform.size())) {
        return DesktopOutcome::NoDisplay;
    }
    const std::optional<std::string> installerPath = prepare();
    if (!installerPath) {
        return DesktopOutcome::Closed;
    }
    DesktopApp application;
    application.Machine().SetInstallerPath(*installerPath);
    application.Run();
    return DesktopOutcome::Closed;
}

}  // namespace quorvel::app::qt
