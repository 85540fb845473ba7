// The application object of the Windows program: its start-up runs the main dialog, and it
// gives the engine its message boxes and the texts of the string table.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/Application.h"

namespace quorvel::win32 {

class InstallerDialog;

class InstallerApp final : public platform::Application {
public:
    InstallerApp() = default;
    ~InstallerApp() override = default;

    // The start-up: runs the main dialog modally, whichever way it ends, and returns false:
    // the program has no message loop of its own, so the process ends with the dialog.
    bool InitInstance();

    // A modal MessageBoxA owned by the main dialog, captioned with the application's name.
    int DoMessageBox(const std::string& text, unsigned type) override;
    // The text of `id` from the executable's string table (LoadStringA, the ANSI code page).
    std::string LoadMessage(unsigned id) override;

private:
    // The executable's file name without its extension: "Quorvel".
    const std::string& Name();
    HWND MainWindow() const;

    InstallerDialog* mainDialog_ = nullptr;  // the running main dialog, else null
    std::string name_;
};

}  // namespace quorvel::win32
