#include "view/DialogPlacement.h"

#include <QList>
#include <algorithm>
#include <cstdlib>

namespace dialogplacement {
namespace {

// Pixels left between the dialog and what it must not cover.
constexpr int kGap = 8;

// `x` moved so that a span of `width` starting there lies within
// [low, high) as far as it can.
int Within(int x, int width, int low, int high) {
    return std::max(low, std::min(x, high - width));
}

}  // namespace

QPoint ClearOf(const QRect& dialog, const QRect& keepVisible, const QRect& screen) {
    if (!dialog.intersects(keepVisible)) {
        return dialog.topLeft();
    }
    const int x = Within(dialog.x(), dialog.width(), screen.left(), screen.right() + 1);
    const int y = Within(dialog.y(), dialog.height(), screen.top(), screen.bottom() + 1);
    const QList<QPoint> candidates = {
        {x, keepVisible.bottom() + 1 + kGap},
        {x, keepVisible.top() - kGap - dialog.height()},
        {keepVisible.right() + 1 + kGap, y},
        {keepVisible.left() - kGap - dialog.width(), y},
    };
    QPoint best = candidates.first();
    int bestDistance = -1;
    for (const QPoint& c : candidates) {
        const QRect placed(c, dialog.size());
        if (!screen.contains(placed)) {
            continue;
        }
        const int distance = std::abs(c.x() - dialog.x()) + std::abs(c.y() - dialog.y());
        if (bestDistance < 0 || distance < bestDistance) {
            best = c;
            bestDistance = distance;
        }
    }
    if (bestDistance < 0) {
        // Nothing fits on the screen: below the match if there is any room
        // there, else above it.
        const bool roomBelow = keepVisible.bottom() + kGap < screen.bottom();
        return roomBelow ? candidates.at(0) : candidates.at(1);
    }
    return best;
}

}  // namespace dialogplacement
