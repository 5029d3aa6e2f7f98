#include "view/EditorFont.h"

#include <QImage>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace editorfont {
namespace {

// The characters whose ink reaches lowest in the faces the editor uses.
const QString kLowReaching = QStringLiteral("_gjpqy|,;()[]{}@$ぎゅっ「」_");

// Room around the probe line so that no ink is cut off.
constexpr int kProbeMargin = 8;

}  // namespace

int ClampPointSize(int points) {
    return std::clamp(points, kMinPointSize, kMaxPointSize);
}

int InkBelowLine(const QFont& font) {
    QTextLayout layout(kLowReaching, font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    if (!line.isValid()) {
        return 0;
    }
    line.setLeadingIncluded(true);
    const int width = int(std::ceil(line.naturalTextWidth())) + 2 * kProbeMargin;
    const int height = int(std::ceil(line.height())) + 2 * kProbeMargin;
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setPen(Qt::black);
        layout.draw(&painter, QPointF(kProbeMargin, kProbeMargin));
    }
    int lowest = -1;
    for (int y = height - 1; y >= 0 && lowest < 0; --y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            if (qAlpha(row[x]) != 0) {
                lowest = y;
                break;
            }
        }
    }
    const double lineBottom = kProbeMargin + line.height();
    return std::max(0, int(std::ceil(lowest + 1 - lineBottom)));
}

}  // namespace editorfont
