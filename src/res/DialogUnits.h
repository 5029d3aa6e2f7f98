#pragma once
// Dialog units: a dialog's layout is given in units of its font, a quarter
// of the font's average character width across and an eighth of its
// character height down, so the layout grows and shrinks with the font.

#include <QFont>
#include <QRect>

struct DialogBaseUnits {
    int cx;  // average character width in pixels
    int cy;  // character height in pixels
};

// The font of a dialog whose template asks for `face` at `pointSize`: that
// face where it is installed, else the nearest proportional Japanese Gothic
// faces, whose metrics the layouts were made for (a Latin face with Japanese
// from a fallback is much wider).
QFont DialogFont(const QString& face, int pointSize);

// The base units of `font`: the average width of the 52 Latin letters,
// rounded, and the font's line height.
DialogBaseUnits BaseUnitsOf(const QFont& font);

// `value` * `numerator` / `denominator`, rounded half away from zero.
int MulDivRound(int value, int numerator, int denominator);

// A rectangle in dialog units converted to pixels.
QRect MapDialogRect(const QRect& units, DialogBaseUnits base);
