// The desktop front end's application object: it runs the main dialog and shows the
// installer's message boxes over it.
#pragma once

#include <QtCore/QPointer>
#include <QtWidgets/QWidget>

#include "platform/Application.h"

namespace quorvel::app::qt {

class DesktopApp : public platform::Application {
public:
    // Runs the main dialog modally; returns when it is closed, whichever way.
    void Run();

    // A modal box owned by the main window; the text is converted from Windows-1252.
    int DoMessageBox(const std::string& text, unsigned type) override;
    std::string LoadMessage(unsigned id) override;

    // The window that owns message boxes: the main dialog while it is open.
    void SetMainWindow(QWidget* window) { mainWindow_ = window; }
    QWidget* MainWindow() const { return mainWindow_; }

private:
    QPointer<QWidget> mainWindow_;  // cleared by Qt when the window goes
};

}  // namespace quorvel::app::qt
