#pragma once
// ASCII letters without case, for bytes and UTF-16 text alike. Every other
// value (two-byte characters, accented letters) is compared exactly.

#include <QStringView>

namespace ascii {

// "A"-"Z" to "a"-"z"; any other unit unchanged.
template <class Unit>
constexpr Unit Lower(Unit c) {
    return (c >= Unit('A') && c <= Unit('Z')) ? Unit(c + ('a' - 'A')) : c;
}

// Whole-string equality with ASCII letters compared without case.
inline bool EqualsIgnoringCase(QStringView a, QStringView b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (Lower(a[i].unicode()) != Lower(b[i].unicode())) {
            return false;
        }
    }
    return true;
}

}  // namespace ascii
