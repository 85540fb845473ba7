// The terminal front end: the application object and its dialogs, drawn as text.
#pragma once

#include <ostream>
#include <string>

#include "app/InstallCommand.h"
#include "app/terminal/KeyInput.h"
#include "platform/Application.h"
#include "platform/ProgressBar.h"

namespace quorvel::app::terminal {

class ConsoleApp : public platform::Application {
public:
    // `inPlace`: the output is a terminal, so the progress bar is redrawn on its own line.
    ConsoleApp(KeyInput& keys, std::ostream& out, bool inPlace)
        : keys_(keys), out_(out), inPlace_(inPlace) {}

    // Runs the main dialog until it is closed: by a finished install, by "Abbrechen" (Escape,
    // a), or by the end of the input.
    void Run();

    int DoMessageBox(const std::string& text, unsigned type) override;
    std::string LoadMessage(unsigned id) override;

    KeyInput& Keys() { return keys_; }
    // The output for anything but the progress bar, which always goes on a line of its own.
    std::ostream& Out();
    // Draws the progress bar: on a terminal over its previous drawing, else on a new line.
    void DrawProgress(const std::string& bar);

private:
    KeyInput& keys_;
    std::ostream& out_;
    bool inPlace_;
    bool progressLineOpen_ = false;  // the last line written is the progress bar's
};

// The main dialog: its text, progress bar and buttons, and the About entry.
class ConsoleDialog : public InstallDialogHost, public platform::ProgressBar {
public:
    explicit ConsoleDialog(ConsoleApp& app) : app_(app) {}

    void RunModal();

    platform::ProgressBar& InstallProgressBar() override { return *this; }
    void EndDialogOk() override { ended_ = true; }
    // Said once, on standard error: the run cannot be undone.
    void HistoryNotWritten(const std::string& why) override;
    void SetRange(int minimum, int maximum) override;
    void SetPosition(int position) override;

private:
    void ShowDialog();
    void ShowButtons();
    void ShowAboutBox();

    ConsoleApp& app_;
    bool ended_ = false;
    int minimum_ = 0;
    int maximum_ = 100;
};

}  // namespace quorvel::app::terminal
