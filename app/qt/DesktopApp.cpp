#include "app/qt/DesktopApp.h"

#include "app/MessageTable.h"
#include "app/qt/MainDialog.h"
#include "app/qt/MessageBox.h"
#include "platform/Cp1252.h"

namespace quorvel::app::qt {

void DesktopApp::Run() {
    MainDialog dialog(*this);
    SetMainWindow(&dialog);
    dialog.exec();
    SetMainWindow(nullptr);
}

int DesktopApp::DoMessageBox(const std::string& text, unsigned type) {
    MessageBox box(mainWindow_, QString::fromStdString(platform::Cp1252ToUtf8(text)), type);
    return box.Ask();
}

std::string DesktopApp::LoadMessage(unsigned id) {
    return MessageText(id);
}

}  // namespace quorvel::app::qt
