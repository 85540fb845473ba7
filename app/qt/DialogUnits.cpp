#include "app/qt/DialogUnits.h"

#include <QtGui/QFontMetrics>
#include <QtWidgets/QApplication>

namespace quorvel::app::qt {

namespace {

constexpr int kDialogFontPoints = 8;

// number * numerator / denominator, rounded half away from zero; denominator > 0.
int MulDiv(int number, int numerator, int denominator) {
    const long long product = static_cast<long long>(number) * numerator;
    const long long half = denominator / 2;
    const long long rounded =
        product >= 0 ? (product + half) / denominator : (product - half) / denominator;
    return static_cast<int>(rounded);
}

}  // namespace

int AverageCharWidth(int widthOfAlphabet) {
    return (widthOfAlphabet / 26 + 1) / 2;
}

DialogBaseUnits BaseUnitsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    const int alphabet = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {AverageCharWidth(alphabet), metrics.height()};
}

int HorizontalPixels(int units, const DialogBaseUnits& base) {
    return MulDiv(units, base.horizontal, 4);
}

int VerticalPixels(int units, const DialogBaseUnits& base) {
    return MulDiv(units, base.vertical, 8);
}

QRect PixelBox(const DialogBox& box, const DialogBaseUnits& base) {
    return {HorizontalPixels(box.x, base), VerticalPixels(box.y, base),
            HorizontalPixels(box.width, base), VerticalPixels(box.height, base)};
}

QSize PixelSize(const DialogSize& size, const DialogBaseUnits& base) {
    return {HorizontalPixels(size.width, base), VerticalPixels(size.height, base)};
}

QFont DialogFont() {
    QFont font = QApplication::font();
    font.setPointSize(kDialogFontPoints);
    return font;
}

}  // namespace quorvel::app::qt
