// Answers the windows a test opens: each step runs on the next modal window (message box,
// About box) or pop-up menu as soon as it is open, inside the modal loop that shows it.
#pragma once

#include <QtCore/QElapsedTimer>
#include <QtCore/QPointer>
#include <QtCore/QTimer>
#include <QtWidgets/QWidget>

#include <functional>
#include <vector>

namespace quorvel::test {

class ScreenScript : public QObject {
public:
    using Step = std::function<void(QWidget*)>;

    ScreenScript();

    ScreenScript& OnModal(Step step) { return Add(false, std::move(step)); }
    ScreenScript& OnPopup(Step step) { return Add(true, std::move(step)); }

    // True when every step has run. After ten seconds without its window, when a step fails
    // or when a window opens after the last step, every window is closed as it opens, so that
    // the test fails instead of hanging.
    bool Done() const { return ran_ == steps_.size(); }

private:
    struct Entry {
        bool popup;
        Step step;
    };
    ScreenScript& Add(bool popup, Step step);
    void Poll();
    void CloseAll();

    std::vector<Entry> steps_;
    std::size_t next_ = 0;  // the step waiting for its window
    std::size_t ran_ = 0;
    bool failed_ = false;
    QPointer<QWidget> lastHandled_;
    QTimer timer_;
    QElapsedTimer waiting_;
};

// Clicks the visible push button of `window` with the text `text`; false when there is none.
bool ClickButton(QWidget* window, const QString& text);
// The texts of the visible push buttons of `window`, sorted.
QStringList ButtonTexts(QWidget* window);

}  // namespace quorvel::test
