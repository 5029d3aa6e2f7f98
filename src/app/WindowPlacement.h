#pragma once
// Where the main window goes at start-up: the rectangle of the last exit,
// as the settings hold it, checked against the screens there are now.

#include <QList>
#include <QRect>

namespace placement {

// Edges as the settings store them (right and bottom exclusive).
struct StoredRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The size taken when the stored one is empty or negative.
inline constexpr int kDefaultWidth = 400;
inline constexpr int kDefaultHeight = 300;

// The rectangle the window takes. It is kept as stored when it lies wholly
// on the screens' available areas; otherwise it is moved (and shrunk if it
// must be) onto the area it overlaps most, or the first area when it
// overlaps none (a monitor unplugged since). Any int values are accepted:
// the arithmetic cannot overflow. With no screens the rectangle is kept.
QRect FitOnScreens(const StoredRect& stored, const QList<QRect>& areas);

}  // namespace placement
