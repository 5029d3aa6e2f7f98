#pragma once
// Code points of UTF-16 text: a high surrogate followed by a low one is one
// code point of two units; any other unit, a lone surrogate included, is a
// code point of its own.

#include <QStringView>

namespace utf16 {

// The code point that starts at unit `i` (which must exist); `units`, when
// given, receives the number of units it takes.
inline char32_t CodePointAt(QStringView text, qsizetype i, int* units = nullptr) {
    const char16_t high = text.utf16()[i];
    if (QChar::isHighSurrogate(high) && i + 1 < text.size() &&
        QChar::isLowSurrogate(text.utf16()[i + 1])) {
        if (units) {
            *units = 2;
        }
        return QChar::surrogateToUcs4(high, text.utf16()[i + 1]);
    }
    if (units) {
        *units = 1;
    }
    return high;
}

// The code point that ends just before unit `i` (i > 0).
inline char32_t CodePointBefore(QStringView text, qsizetype i) {
    const char16_t low = text.utf16()[i - 1];
    if (QChar::isLowSurrogate(low) && i >= 2 && QChar::isHighSurrogate(text.utf16()[i - 2])) {
        return QChar::surrogateToUcs4(text.utf16()[i - 2], low);
    }
    return low;
}

}  // namespace utf16
