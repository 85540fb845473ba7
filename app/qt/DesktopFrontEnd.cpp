#include "app/qt/DesktopFrontEnd.h"

#include <cstdlib>
#include <string>

#include <QtWidgets/QApplication>

#include "app/qt/DesktopApp.h"
#include "app/qt/FrontEndChoice.h"

namespace quorvel::app::qt {

DesktopOutcome RunDesktopFrontEnd(const char* programName) {
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
    DesktopApp application;
    application.Run();
    return DesktopOutcome::Closed;
}

}  // namespace quorvel::app::qt
