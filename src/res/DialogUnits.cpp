#include "res/DialogUnits.h"

#include <QFontMetrics>
#include <QStringList>
#include <cstdlib>

QFont DialogFont(const QString& face, int pointSize) {
    QFont font;
    font.setFamilies(QStringList{face, QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"),
                                 QStringLiteral("VL PGothic"), QStringLiteral("Noto Sans CJK JP")});
    font.setPointSize(pointSize);
    return font;
}

DialogBaseUnits BaseUnitsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    // Half-up rounding of letters / 52.
    const int cx = (letters / 26 + 1) / 2;
    return {cx > 0 ? cx : 1, metrics.height() > 0 ? metrics.height() : 1};
}

int MulDivRound(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = std::llabs(static_cast<long long>(denominator)) / 2;
    const bool negative = (product < 0) != (denominator < 0);
    const long long magnitude =
        (std::llabs(product) + half) / std::llabs(static_cast<long long>(denominator));
    return static_cast<int>(negative ? -magnitude : magnitude);
}

QRect MapDialogRect(const QRect& units, DialogBaseUnits base) {
    const int left = MulDivRound(units.x(), base.cx, 4);
    const int top = MulDivRound(units.y(), base.cy, 8);
    const int right = MulDivRound(units.x() + units.width(), base.cx, 4);
    const int bottom = MulDivRound(units.y() + units.height(), base.cy, 8);
    return QRect(left, top, right - left, bottom - top);
}
