// The main dialog's progress bar: a Qt progress bar that the install run moves as it moves a
// Windows progress control.
#pragma once

#include <QtWidgets/QProgressBar>

#include "platform/ProgressBar.h"

namespace quorvel::app::qt {

class DialogProgressBar : public QProgressBar, public platform::ProgressBar {
public:
    // Empty, as a new progress control: range 0 to 100, position 0, no text.
    explicit DialogProgressBar(QWidget* parent);

    // A range whose maximum is not above its minimum shows an empty bar (Qt would show a busy
    // indicator).
    void SetRange(int minimum, int maximum) override;
    // A position outside the range is moved to its nearer end, as the progress control does.
    void SetPosition(int position) override;

    // The position as the install run set it.
    int Position() const { return position_; }

private:
    void Show();

    int minimum_ = 0;
    int maximum_ = 100;
    int position_ = 0;
};

}  // namespace quorvel::app::qt
