#include "app/WindowPlacement.h"

#include <algorithm>
#include <climits>

namespace placement {
namespace {

// A rectangle in 64-bit edges, so that no sum or difference overflows.
struct Span {
    qint64 left;
    qint64 top;
    qint64 right;
    qint64 bottom;
};

Span SpanOf(const QRect& r) {
    return {r.left(), r.top(), qint64(r.left()) + r.width(), qint64(r.top()) + r.height()};
}

qint64 OverlapArea(const Span& a, const Span& b) {
    const qint64 w = std::min(a.right, b.right) - std::max(a.left, b.left);
    const qint64 h = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return w > 0 && h > 0 ? w * h : 0;
}

// Moves [start, start + length) into [low, high), shrinking it to fit.
void FitInto(qint64* start, qint64* length, qint64 low, qint64 high) {
    *length = std::min(*length, high - low);
    *start = std::clamp(*start, low, high - *length);
}

}  // namespace

QRect FitOnScreens(const StoredRect& stored, const QList<QRect>& areas) {
    qint64 width = qint64(stored.right) - stored.left;
    qint64 height = qint64(stored.bottom) - stored.top;
    // No window is wider or taller than an int; the cap also keeps the
    // area below within 64 bits.
    width = width <= 0 ? kDefaultWidth : std::min<qint64>(width, INT_MAX);
    height = height <= 0 ? kDefaultHeight : std::min<qint64>(height, INT_MAX);
    qint64 left = stored.left;
    qint64 top = stored.top;
    const auto toRect = [&]() {
        const auto clampInt = [](qint64 v) { return int(std::clamp<qint64>(v, INT_MIN, INT_MAX)); };
        const int x = clampInt(left);
        const int y = clampInt(top);
        return QRect(x, y, int(std::min<qint64>(width, qint64(INT_MAX) - x)),
                     int(std::min<qint64>(height, qint64(INT_MAX) - y)));
    };
    if (areas.isEmpty()) {
        return toRect();
    }
    const Span window{left, top, left + width, top + height};
    qint64 covered = 0;
    qsizetype best = 0;
    qint64 bestOverlap = -1;
    for (qsizetype i = 0; i < areas.size(); ++i) {
        const qint64 overlap = OverlapArea(window, SpanOf(areas.at(i)));
        covered += overlap;
        if (overlap > bestOverlap) {
            bestOverlap = overlap;
            best = i;
        }
    }
    // Screens do not overlap one another, so full coverage means every
    // pixel of the window is on some screen.
    if (covered == width * height) {
        return toRect();
    }
    const Span area = SpanOf(areas.at(best));
    FitInto(&left, &width, area.left, area.right);
    FitInto(&top, &height, area.top, area.bottom);
    return toRect();
}

}  // namespace placement
