#include "platform/Application.h"

#include "platform/Files.h"

namespace quorvel::platform {

namespace {
// The process's one application object; set while it lives.
Application* currentApplication = nullptr;
}  // namespace

Application::Application() : previous_(currentApplication) {
    currentApplication = this;
}

Application::~Application() {
    if (currentApplication == this) {
        currentApplication = previous_;
    }
}

Application* Application::Current() {
    return currentApplication;
}

std::uint32_t Application::ModuleFileName(char* buffer, std::uint32_t size) {
    return ExecutablePath(buffer, size);
}

std::string FormatText(std::string_view format, std::initializer_list<std::string_view> arguments) {
    std::string text;
    text.reserve(format.size());
    auto next = arguments.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size()) {
            if (format[i + 1] == 's') {
                if (next != arguments.end()) {
                    text.append(*next++);
                }
                ++i;
                continue;
            }
            if (format[i + 1] == '%') {
                text.push_back('%');
                ++i;
                continue;
            }
        }
        text.push_back(format[i]);
    }
    return text;
}

int AppMessageBox(const std::string& text, unsigned type) {
    Application* application = Application::Current();
    return application != nullptr ? application->DoMessageBox(text, type) : kIdCancel;
}

int AppMessageBox(unsigned messageId, unsigned type) {
    return AppMessageBox(LoadAppMessage(messageId), type);
}

std::string LoadAppMessage(unsigned messageId) {
    Application* application = Application::Current();
    return application != nullptr ? application->LoadMessage(messageId) : std::string();
}

}  // namespace quorvel::platform
