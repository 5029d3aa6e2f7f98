#pragma once
// The size of the editor's text and how much room its face needs below the
// line box that its metrics give.

#include <QFont>

namespace editorfont {

// Point sizes: the size a first start shows, and the zoom range. One zoom
// step is one point.
constexpr int kDefaultPointSize = 12;
constexpr int kMinPointSize = 6;
constexpr int kMaxPointSize = 72;

// `points` within the zoom range.
int ClampPointSize(int points);

// Pixels of ink that `font` draws below the bottom of its line (a line of
// text laid out as the editor lays it out) for the characters that reach
// lowest: the underscore, descenders, brackets and Japanese. Measured by
// drawing them, so it holds for whatever face and hinting are in use; 0
// when the ink stays inside the line.
int InkBelowLine(const QFont& font);

}  // namespace editorfont
