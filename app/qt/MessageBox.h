// The message box of the desktop front end: the message table's text, captioned with the
// application's name, with an OK button or the question's "Ja" and "Nein".
#pragma once

#include <QtWidgets/QMessageBox>

namespace quorvel::app::qt {

class MessageBox : public QMessageBox {
public:
    // `type` is platform::kMbOk or platform::kMbYesNo; `owner` is disabled while the box is open.
    MessageBox(QWidget* owner, const QString& text, unsigned type);

    // Shows the box modally and gives the answer: platform::kIdOk, or for a question
    // platform::kIdYes or platform::kIdNo.
    int Ask();

    // The answer of the button clicked. A question closed without a click keeps the existing
    // file: platform::kIdYes.
    int Answer() const;

protected:
    // A question has no cancel: Escape and the close box do nothing, as on Windows.
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool IsQuestion() const { return yesButton_ != nullptr; }

    QPushButton* yesButton_ = nullptr;
    QPushButton* noButton_ = nullptr;
};

}  // namespace quorvel::app::qt
