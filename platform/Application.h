// The application object: the one object of the process through which the installer reaches
// its user interface, as a dialog framework's message box reaches its application. Front ends
// derive from it; tests put a recording application in its place.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

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
    // Becomes the process's application object; there is at most one at a time.
    Application();
    virtual ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The application object of the process, or null when there is none.
    static Application* Current();

    // Shows `text` (Windows-1252) in a modal message box of type kMbOk or kMbYesNo, captioned
    // with the application's name, and returns the answer (kIdOk, kIdYes or kIdNo).
    virtual int DoMessageBox(const std::string& text, unsigned type) = 0;

    // The text of message `id` of the message table, in Windows-1252; empty when missing.
    virtual std::string LoadMessage(unsigned id) = 0;

    // The running executable's full path, as ExecutablePath gives it.
    virtual std::uint32_t ModuleFileName(char* buffer, std::uint32_t size);

private:
    Application* previous_;
};

// Fills each "%s" of `format` with the next argument, in order, as a printf format does;
// "%%" gives one "%". Missing arguments give empty text.
std::string FormatText(std::string_view format, std::initializer_list<std::string_view> arguments);

// The message box of the application object: kIdCancel when there is no application object.
int AppMessageBox(const std::string& text, unsigned type);
// Loads message `id` and shows it.
int AppMessageBox(unsigned messageId, unsigned type);
// Loads message `id` of the application's message table.
std::string LoadAppMessage(unsigned messageId);

}  // namespace quorvel::platform
