#include "app/win32/InstallerDialog.h"

#include <string>

#include "app/MessageTable.h"
#include "app/win32/AboutDialog.h"
#include "app/win32/PaintContext.h"
#include "app/win32/Placement.h"
#include "app/win32/ResourceIds.h"
#include "app/win32/TestQuery.h"
#include "platform/Application.h"

namespace quorvel::win32 {

namespace {
// The system keeps the four low bits of a system command for itself.
constexpr WPARAM kSystemCommandMask = 0xFFF0;
}  // namespace

InstallerDialog::InstallerDialog(platform::Application& application)
    : ModalDialog(QUORVEL_IDD_MAIN, nullptr),
      application_(application),
      // At the system's standard icon size; a missing icon leaves a null handle, shown as none.
      icon_(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(QUORVEL_IDI_APP))),
      testQueryMessage_(RegisterWindowMessageW(kTestQueryMessageName)) {}

void InstallerDialog::DoDataExchange() {
    progressBar_.Attach(GetDlgItem(Handle(), QUORVEL_IDC_PROGRESS));
}

bool InstallerDialog::OnInitDialog() {
    ModalDialog::OnInitDialog();
    AppendAboutEntry();
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    return true;  // the focus goes to the first tab stop, "Installieren"
}

void InstallerDialog::AppendAboutEntry() {
    const HMENU systemMenu = GetSystemMenu(Handle(), FALSE);
    if (systemMenu == nullptr) {
        return;
    }
    const std::string label = application_.LoadMessage(app::kMessageAboutEntry);
    if (label.empty()) {
        return;
    }
    AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(systemMenu, MF_STRING, QUORVEL_IDM_ABOUT, label.c_str());
}

void InstallerDialog::OnOK() {
    app::RunInstallCommand(*this, application_);
}

bool InstallerDialog::OnSysCommand(WPARAM command, LPARAM /*position*/) {
    if ((command & kSystemCommandMask) != QUORVEL_IDM_ABOUT) {
        return false;
    }
    AboutDialog about(Handle());
    about.DoModal();
    return true;
}

bool InstallerDialog::OnPaint() {
    if (!IsIconic(Handle())) {
        return false;
    }
    PaintMinimisedIcon();
    return true;
}

void InstallerDialog::PaintMinimisedIcon() {
    const PaintContext paint(Handle());
    SendMessageA(Handle(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.Dc()), 0);
    RECT client{};
    GetClientRect(Handle(), &client);
    const PixelPoint origin =
        CentredIconOrigin(client.right - client.left, client.bottom - client.top,
                          GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
    DrawIcon(paint.Dc(), origin.x, origin.y, icon_);
}

HICON InstallerDialog::OnQueryDragIcon() {
    return icon_;
}

bool InstallerDialog::OnOtherMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/,
                                     INT_PTR& result) {
    if (testQueryMessage_ == 0 || message != testQueryMessage_) {
        return false;
    }
    AnswerTestQuery(Handle(), reinterpret_cast<HWND>(wParam));
    result = TRUE;
    return true;
}

}  // namespace quorvel::win32
