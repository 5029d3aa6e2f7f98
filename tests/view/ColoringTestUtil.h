#pragma once
// Reading the colors of a view's text back in tests.

#include <QString>
#include <ostream>

class CQuillView;

namespace coloringtest {

// One character per position of `line`: the digit of the color record its
// format has ('0'-'7'), '-' for a format no recoloring has set, '?' for a
// color that is no record's.
QString RecordsOfLine(CQuillView& view, int line);

// The records of every line, and of each line end before a '\n'.
QString RecordsOfText(CQuillView& view);

}  // namespace coloringtest

// gtest shows a QString as text.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
