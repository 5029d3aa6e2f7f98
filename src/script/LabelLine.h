#pragma once
// The label line rule of HSP scripts, applied to a line's bytes: after
// leading blanks (bytes 0x00-0x20) the first byte must be "*"; the label's
// name follows it and runs over ASCII letters, digits, "_" and two-byte
// characters (in UTF-8, characters of several bytes but half-width
// katakana). Any other character (ASCII punctuation, blanks, half-width
// katakana) ends the name, which may be empty.
//
// Coloring, collecting labels and jumping to one all decide by this rule.

#include <QByteArrayView>

#include "text/TextEncoding.h"

namespace linescan {

// Byte range [begin, end) of a label's name within its line.
struct LabelNameRange {
    int begin = 0;
    int end = 0;
};

// True when `line` defines a label; `name` then receives the byte range of
// its name (empty when the name is). A character cut off at the end of
// `line` ends the name there.
bool FindLabelName(QByteArrayView line, LabelNameRange* name,
                   textenc::Encoding encoding = textenc::Encoding::ShiftJis);

}  // namespace linescan
