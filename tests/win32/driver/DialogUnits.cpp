#include "tests/win32/driver/DialogUnits.h"

#include <cstring>
#include <vector>

namespace quorvel::driver {

namespace {

INT_PTR CALLBACK IgnoreAll(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// A classic template with no controls and the dialogs' font: DLGTEMPLATE, no menu, the
// default class, an empty title, the point size and the typeface.
std::vector<WORD> ProbeTemplate() {
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    DLGTEMPLATE header{};
    header.style = WS_POPUP | DS_SETFONT;
    header.cx = 100;
    header.cy = 100;
    std::memcpy(words.data(), &header, sizeof(header));
    words.insert(words.end(), {0, 0, 0, 8});
    for (const wchar_t* c = L"MS Sans Serif"; *c != L'\0'; ++c) {
        words.push_back(static_cast<WORD>(*c));
    }
    words.push_back(0);
    return words;
}

}  // namespace

DialogUnits::DialogUnits() {
    const std::vector<WORD> words = ProbeTemplate();
    probe_ = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                        reinterpret_cast<const DLGTEMPLATE*>(words.data()), nullptr,
                                        &IgnoreAll, 0);
}

DialogUnits::~DialogUnits() {
    if (probe_ != nullptr) {
        DestroyWindow(probe_);
    }
}

RECT DialogUnits::ToPixels(const DialogBox& box) const {
    // The dialog manager converts the position and the size each on its own, not the corners.
    RECT converted{box.x, box.y, box.width, box.height};
    MapDialogRect(probe_, &converted);
    return {converted.left, converted.top, converted.left + converted.right,
            converted.top + converted.bottom};
}

}  // namespace quorvel::driver
