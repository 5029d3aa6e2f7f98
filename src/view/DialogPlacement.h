#pragma once
// Where to put a modeless dialog so that it does not cover a part of the
// screen the user needs to see (the match the find dialog has just
// selected). Pure geometry, in screen coordinates.

#include <QPoint>
#include <QRect>

namespace dialogplacement {

// The top-left corner for a dialog whose frame is `dialog`: unchanged when it
// does not cover `keepVisible`; otherwise the nearest of the places below,
// above, right of and left of `keepVisible` that fits inside `screen`
// (below, then above, when none fits).
QPoint ClearOf(const QRect& dialog, const QRect& keepVisible, const QRect& screen);

}  // namespace dialogplacement
