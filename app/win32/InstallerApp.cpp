#include "app/win32/InstallerApp.h"

#include <commctrl.h>

#include <array>

#include "app/win32/ApplicationName.h"
#include "app/win32/InstallerDialog.h"

namespace quorvel::win32 {

namespace {
// A string resource holds at most 65535 characters.
constexpr std::size_t kLongestString = 65536;
constexpr std::size_t kFirstStringBuffer = 256;
constexpr std::uint32_t kModulePathSize = MAX_PATH;

// The icon the framework's message box showed when the caller named none.
UINT WithDefaultIcon(unsigned type) {
    if ((type & MB_ICONMASK) != 0) {
        return type;
    }
    return (type & MB_TYPEMASK) == MB_YESNO || (type & MB_TYPEMASK) == MB_YESNOCANCEL
               ? type | MB_ICONQUESTION
               : type | MB_ICONEXCLAMATION;
}
}  // namespace

bool InstallerApp::InitInstance() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_PROGRESS_CLASS;
    InitCommonControlsEx(&controls);

    InstallerDialog dialog(*this);
    mainDialog_ = &dialog;
    dialog.DoModal();  // OK, Cancel or a dialog that could not be created: the end either way
    mainDialog_ = nullptr;
    return false;
}

int InstallerApp::DoMessageBox(const std::string& text, unsigned type) {
    return MessageBoxA(MainWindow(), text.c_str(), Name().c_str(), WithDefaultIcon(type));
}

std::string InstallerApp::LoadMessage(unsigned id) {
    const HINSTANCE module = GetModuleHandleA(nullptr);
    std::string text(kFirstStringBuffer, '\0');
    while (true) {
        const int length = LoadStringA(module, id, text.data(), static_cast<int>(text.size()));
        if (length <= 0) {
            return std::string();
        }
        // A text that filled the buffer may have been cut: try again with a larger one.
        if (static_cast<std::size_t>(length) + 1 < text.size() || text.size() >= kLongestString) {
            text.resize(static_cast<std::size_t>(length));
            return text;
        }
        text.resize(text.size() * 2);
    }
}

const std::string& InstallerApp::Name() {
    if (name_.empty()) {
        std::array<char, kModulePathSize> path{};
        const std::uint32_t length = Machine().ModuleFileName(path.data(), kModulePathSize);
        name_ = ApplicationNameFromPath(std::string_view(path.data(), length));
    }
    return name_;
}

HWND InstallerApp::MainWindow() const {
    return mainDialog_ != nullptr ? mainDialog_->Handle() : nullptr;
}

}  // namespace quorvel::win32
