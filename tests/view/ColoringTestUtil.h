#pragma once
// Reading the colors of a view's text back in tests.

#include <QString>
#include <ostream>

class CQuillView;

namespace coloringtest {

// One character per position of `line`: the digit of the color record it
// has ('0'-'7'), '-' where no recoloring has reached.
QString RecordsOfLine(CQuillView& view, int line);

// The records of every line, and of each line end before a '\n'.
QString RecordsOfText(CQuillView& view);

}  // namespace coloringtest

// gtest shows a QString as text.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
