#include "app/terminal/ConsoleApp.h"

#include <algorithm>
#include <iostream>

#include "app/DialogTexts.h"
#include "app/MenuLabel.h"
#include "app/MessageTable.h"
#include "app/VisibleText.h"
#include "platform/Cp1252.h"

namespace quorvel::app::terminal {

namespace {

void ShowCaption(std::ostream& out, std::string_view caption) {
    out << "\n[" << caption << "]\n";
}

// Waits for the OK of a box: Enter, Escape or the end of the input.
void WaitForOk(KeyInput& keys) {
    while (true) {
        const KeyPress key = keys.NextKey();
        if (key.kind != KeyPress::Kind::Character) {
            return;
        }
    }
}

}  // namespace

void ConsoleApp::Run() {
    ConsoleDialog dialog(*this);
    dialog.RunModal();
}

std::string ConsoleApp::LoadMessage(unsigned id) {
    return MessageText(id);
}

std::ostream& ConsoleApp::Out() {
    if (progressLineOpen_) {
        out_ << "\n";
        progressLineOpen_ = false;
    }
    return out_;
}

void ConsoleApp::DrawProgress(const std::string& bar) {
    if (!inPlace_) {
        Out() << bar << std::endl;
        return;
    }
    out_ << (progressLineOpen_ ? "\r" : "") << bar << std::flush;
    progressLineOpen_ = true;
}

int ConsoleApp::DoMessageBox(const std::string& text, unsigned type) {
    std::ostream& out = Out();
    ShowCaption(out, QUORVEL_APP_NAME);
    out << VisibleText(platform::Cp1252ToUtf8(text)) << "\n";
    if (type != platform::kMbYesNo) {
        out << "  < " QUORVEL_OK_BUTTON " >" << std::endl;
        WaitForOk(keys_);
        return platform::kIdOk;
    }
    out << "  < " QUORVEL_YES_BUTTON " > (j)   < " QUORVEL_NO_BUTTON " > (n)" << std::endl;
    while (true) {
        const KeyPress key = keys_.NextKey();
        switch (key.kind) {
            case KeyPress::Kind::Enter:       // the default button
            case KeyPress::Kind::EndOfInput:  // closing the box keeps the file
                return platform::kIdYes;
            case KeyPress::Kind::Character:
                if (key.character == 'j') {
                    return platform::kIdYes;
                }
                if (key.character == 'n') {
                    return platform::kIdNo;
                }
                break;
            case KeyPress::Kind::Escape:  // a question without cancel cannot be escaped
                break;
        }
    }
}

void ConsoleDialog::RunModal() {
    const MenuLabel about =
        ParseMenuLabel(platform::Cp1252ToUtf8(app_.LoadMessage(kMessageAboutEntry)));
    ShowDialog();
    while (!ended_) {
        const KeyPress key = app_.Keys().NextKey();
        switch (key.kind) {
            case KeyPress::Kind::Enter:
                RunInstallCommand(*this, app_);
                if (!ended_) {
                    ShowButtons();
                }
                break;
            case KeyPress::Kind::Escape:
            case KeyPress::Kind::EndOfInput:
                return;  // cancel: nothing is touched
            case KeyPress::Kind::Character:
                if (key.character == 'a') {
                    return;
                }
                if (about.Key() != '\0' && key.character == about.Key()) {
                    ShowAboutBox();
                    ShowButtons();
                }
                break;
        }
    }
}

void ConsoleDialog::ShowDialog() {
    std::ostream& out = app_.Out();
    ShowCaption(out, QUORVEL_MAIN_TITLE);
    out << QUORVEL_MAIN_TEXT "\n";
    ShowButtons();
}

void ConsoleDialog::ShowButtons() {
    const MenuLabel about =
        ParseMenuLabel(platform::Cp1252ToUtf8(app_.LoadMessage(kMessageAboutEntry)));
    std::ostream& out = app_.Out();
    out << "\n  < " QUORVEL_INSTALL_BUTTON " > (Enter)   < " QUORVEL_CANCEL_BUTTON " > (Esc, a)";
    if (!about.text.empty()) {
        const char key = about.Key();
        out << "   " << VisibleText(about.text) << " (" << VisibleText({&key, 1}) << ")";
    }
    out << std::endl;
}

void ConsoleDialog::ShowAboutBox() {
    std::ostream& out = app_.Out();
    ShowCaption(out, QUORVEL_ABOUT_TITLE);
    out << QUORVEL_ABOUT_VERSION "\n" QUORVEL_ABOUT_NOTICE "\n  < " QUORVEL_OK_BUTTON " >"
        << std::endl;
    WaitForOk(app_.Keys());
}

void ConsoleDialog::SetRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = maximum;
}

void ConsoleDialog::SetPosition(int position) {
    const int steps = maximum_ > minimum_ ? maximum_ - minimum_ : 1;
    const int done = std::max(0, std::min(position - minimum_, steps));
    std::string bar = "[";
    for (int step = 0; step < steps; ++step) {
        bar += step < done ? "#####" : ".....";
    }
    bar += "] " + std::to_string(done) + "/" + std::to_string(steps);
    app_.DrawProgress(bar);
}

void ConsoleDialog::HistoryNotWritten(const std::string& why) {
    std::cerr << "quorvel: Hinweis: " << VisibleText(why) << "\n";
}

}  // namespace quorvel::app::terminal
