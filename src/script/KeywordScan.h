#pragma once
// Finding the word that keyword help looks up, on a line's bytes, and the
// help page named after it.
//
// A word starts with an ASCII letter, "_" or "*" and continues over ASCII
// letters, digits, "_" and two-byte characters (a lead byte 0x80-0x9F or
// 0xE0-0xFF takes the byte after it along; in UTF-8, characters of several
// bytes but half-width katakana). Digits and two-byte characters
// continue a word but start none; "*" starts a word but continues none.

#include <QByteArray>
#include <QByteArrayView>

#include "text/TextEncoding.h"

namespace linescan {

// Byte range [begin, end) of a word within its line.
struct WordRange {
    int begin = 0;
    int end = 0;
    bool IsEmpty() const { return begin == end; }
};

// The first word of `line` whose end is at or after byte `column`; when no
// word ends there, the last word of the line; an empty range when the line
// holds no word. The character that ends a word is passed over without
// being taken as the start of the next one.
WordRange WordAtColumn(QByteArrayView line, int column,
                       textenc::Encoding encoding = textenc::Encoding::ShiftJis);

// File name of the help page of `keyword`: "S_", its first six bytes, ".htm".
QByteArray KeywordPageName(QByteArrayView keyword);

}  // namespace linescan
