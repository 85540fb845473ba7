// Dialog units: the measure of the dialog templates. A horizontal unit is a quarter of the
// dialog font's average character width, a vertical unit an eighth of its character height.
#pragma once

#include <QtCore/QRect>
#include <QtCore/QSize>
#include <QtGui/QFont>

namespace quorvel::app::qt {

// A control's box in a dialog template, in dialog units.
struct DialogBox {
    int x;
    int y;
    int width;
    int height;
};

// A dialog's size in dialog units.
struct DialogSize {
    int width;
    int height;
};

// Pixels per four horizontal and per eight vertical dialog units.
struct DialogBaseUnits {
    int horizontal;  // the average character width
    int vertical;    // the character height
};

// The average character width as Windows measures it: the width of "A".."Z" and "a".."z"
// together, divided by 52 and rounded.
int AverageCharWidth(int widthOfAlphabet);

// The base units of `font`.
DialogBaseUnits BaseUnitsOf(const QFont& font);

// Pixels of dialog units, each value rounded as MulDiv rounds (half away from zero).
int HorizontalPixels(int units, const DialogBaseUnits& base);
int VerticalPixels(int units, const DialogBaseUnits& base);

// A control's box in pixels: its position and its size converted each on its own, as the
// dialog manager creates the controls of a template.
QRect PixelBox(const DialogBox& box, const DialogBaseUnits& base);
QSize PixelSize(const DialogSize& size, const DialogBaseUnits& base);

// The dialog font: the desktop's font family at 8 points, the size of the templates' font.
QFont DialogFont();

}  // namespace quorvel::app::qt
