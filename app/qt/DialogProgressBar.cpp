#include "app/qt/DialogProgressBar.h"

#include <algorithm>

namespace quorvel::app::qt {

DialogProgressBar::DialogProgressBar(QWidget* parent) : QProgressBar(parent) {
    setTextVisible(false);
    Show();
}

void DialogProgressBar::SetRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = maximum;
    position_ = std::clamp(position_, minimum_, std::max(minimum_, maximum_));
    Show();
}

void DialogProgressBar::SetPosition(int position) {
    position_ = std::clamp(position, minimum_, std::max(minimum_, maximum_));
    Show();
}

void DialogProgressBar::Show() {
    if (maximum_ > minimum_) {
        setRange(minimum_, maximum_);
        setValue(position_);
    } else {
        setRange(0, 1);  // nothing to show
        setValue(0);
    }
    // The run holds the event loop: draw now, so that every step is seen.
    repaint();
}

}  // namespace quorvel::app::qt
