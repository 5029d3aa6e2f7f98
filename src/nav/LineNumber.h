#pragma once
// The line number typed into the go-to-line dialog.

#include <QStringView>
#include <climits>

namespace nav {

// The number that the ASCII digits at the start of `text` spell; 0 when it
// starts with anything else; INT_MAX when it is too large for an int (which
// is past every line).
inline int ParseLineNumber(QStringView text) {
    int number = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            break;
        }
        const int digit = c.unicode() - '0';
        if (number > (INT_MAX - digit) / 10) {
            return INT_MAX;
        }
        number = number * 10 + digit;
    }
    return number;
}

}  // namespace nav
