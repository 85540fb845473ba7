#include "tests/qt/support/ScreenScript.h"

#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QDialog>
#include <QtWidgets/QPushButton>

namespace quorvel::test {

namespace {
constexpr int kPollMilliseconds = 10;
constexpr qint64 kGiveUpMilliseconds = 10000;

QList<QPushButton*> VisibleButtons(QWidget* window) {
    QList<QPushButton*> buttons = window->findChildren<QPushButton*>();
    buttons.removeIf([](QPushButton* button) { return !button->isVisible(); });
    return buttons;
}
}  // namespace

ScreenScript::ScreenScript() {
    timer_.setInterval(kPollMilliseconds);
    connect(&timer_, &QTimer::timeout, this, &ScreenScript::Poll);
}

ScreenScript& ScreenScript::Add(bool popup, Step step) {
    steps_.push_back({popup, std::move(step)});
    waiting_.start();
    timer_.start();
    return *this;
}

void ScreenScript::Poll() {
    const bool popupNext = next_ < steps_.size() && steps_[next_].popup;
    QWidget* window =
        popupNext ? QApplication::activePopupWidget() : QApplication::activeModalWidget();
    const bool isNew = window != nullptr && window->isVisible() && window != lastHandled_;
    if (failed_ || next_ == steps_.size()) {
        if (isNew) {
            if (!failed_) {
                QTest::qFail("a window opened that the test did not expect", __FILE__, __LINE__);
            }
            CloseAll();
        }
        return;
    }
    if (!isNew) {
        if (waiting_.elapsed() > kGiveUpMilliseconds) {
            CloseAll();
        }
        return;
    }
    lastHandled_ = window;
    const Step step = steps_[next_++].step;
    waiting_.start();
    // Not from this timer's own call: a step that opens a modal window must not stop the
    // polling for the steps after it.
    QTimer::singleShot(0, this, [this, step, handled = QPointer<QWidget>(window)] {
        if (handled != nullptr) {
            ++ran_;
            step(handled);
            if (QTest::currentTestFailed()) {
                CloseAll();  // the step failed before it closed its window
            }
        }
    });
}

// From now on every window is closed as soon as it opens, so that the test cannot hang.
void ScreenScript::CloseAll() {
    failed_ = true;
    while (QWidget* popup = QApplication::activePopupWidget()) {
        popup->close();
    }
    for (int guard = 0; guard < 10; ++guard) {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            break;
        }
        dialog->done(QDialog::Rejected);
    }
}

bool ClickButton(QWidget* window, const QString& text) {
    for (QPushButton* button : VisibleButtons(window)) {
        if (button->text() == text) {
            button->click();
            return true;
        }
    }
    return false;
}

QStringList ButtonTexts(QWidget* window) {
    QStringList texts;
    for (QPushButton* button : VisibleButtons(window)) {
        texts << button->text();
    }
    texts.sort();
    return texts;
}

}  // namespace quorvel::test
