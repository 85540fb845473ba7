#include "app/qt/MessageBox.h"

#include <QtGui/QCloseEvent>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QPushButton>

#include "app/DialogTexts.h"
#include "app/qt/AppIcon.h"
#include "platform/Application.h"

namespace quorvel::app::qt {

MessageBox::MessageBox(QWidget* owner, const QString& text, unsigned type) : QMessageBox(owner) {
    setWindowTitle(QStringLiteral(QUORVEL_APP_NAME));
    setWindowIcon(ApplicationIcon());
    // Paths are shown as they are, never read as markup.
    setTextFormat(Qt::PlainText);
    setText(text);
    if (type == platform::kMbYesNo) {
        setIcon(QMessageBox::Question);
        yesButton_ = addButton(QString::fromUtf8(QUORVEL_YES_BUTTON), QMessageBox::YesRole);
        noButton_ = addButton(QString::fromUtf8(QUORVEL_NO_BUTTON), QMessageBox::NoRole);
        setDefaultButton(yesButton_);
        setWindowFlags((windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint) &
                       ~Qt::WindowCloseButtonHint);
    } else {
        setIcon(QMessageBox::Warning);
        setDefaultButton(addButton(QString::fromUtf8(QUORVEL_OK_BUTTON), QMessageBox::AcceptRole));
    }
}

int MessageBox::Ask() {
    exec();
    return Answer();
}

int MessageBox::Answer() const {
    if (!IsQuestion()) {
        return platform::kIdOk;
    }
    return clickedButton() == noButton_ ? platform::kIdNo : platform::kIdYes;
}

void MessageBox::keyPressEvent(QKeyEvent* event) {
    if (IsQuestion() && event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QMessageBox::keyPressEvent(event);
}

void MessageBox::closeEvent(QCloseEvent* event) {
    if (IsQuestion()) {
        event->ignore();
        return;
    }
    QMessageBox::closeEvent(event);
}

}  // namespace quorvel::app::qt
