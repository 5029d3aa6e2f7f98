#pragma once
// The colors text prints in on white paper. The screen shows the script on
// black; some of its colors (white, yellow, yellow-green) would vanish on
// paper, so those print as a darker shade of their own hue.

#include <QColor>

namespace printcolors {

// The contrast a color needs against white to be read comfortably.
constexpr double kMinContrast = 4.5;

// The contrast ratio of `color` against white, from 1 (white) to 21 (black),
// by the relative luminance of sRGB colors.
double ContrastOnWhite(const QColor& color);

// The color `screen` prints in: unchanged when it reaches kMinContrast on
// white; otherwise the same hue and saturation made darker, just enough to
// reach it (white, which has no hue, prints black).
QColor OnWhitePaper(const QColor& screen);

}  // namespace printcolors
