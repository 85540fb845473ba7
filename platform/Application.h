// The application object: the one object of the process through which the program reaches its
// user, as a dialog framework's message box reaches its application, and the machine it works
// on. Front ends derive from it; tests put a recording application in its place.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/MachineHost.h"

namespace quorvel::platform {

// Message box types and answers, with the values of the Win32 constants.
inline constexpr unsigned kMbOk = 0x0;     // MB_OK
inline constexpr unsigned kMbYesNo = 0x4;  // MB_YESNO
inline constexpr int kIdOk = 1;            // IDOK
inline constexpr int kIdCancel = 2;        // IDCANCEL
inline constexpr int kIdYes = 6;           // IDYES
inline constexpr int kIdNo = 7;            // IDNO

class Application {
public:
    Application() = default;
    virtual ~Application() = default;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Shows `text` (Windows-1252) in a modal message box of type kMbOk or kMbYesNo, captioned
    // with the application's name, and returns the answer (kIdOk, kIdYes or kIdNo).
    virtual int DoMessageBox(const std::string& text, unsigned type) = 0;

    // The text of message `id` of the message table, in Windows-1252; empty when missing.
    virtual std::string LoadMessage(unsigned id) = 0;

    // The machine the installer works on.
    MachineHost& Machine() { return machine_; }

private:
    MachineHost machine_;
};

// Fills each "%s" of `format` with the next argument, in order, as a printf format does;
// "%%" gives one "%". Missing arguments give empty text.
std::string FormatText(std::string_view format, std::initializer_list<std::string_view> arguments);

}  // namespace quorvel::platform
