#pragma once
// The byte scan of one script line that finds what the keyword color table
// colors: the label at the line's start, words, and comments (";" and "//"
// to the end of the line, "/*" up to the next "*/", on this line or a later
// one). Strings are stepped over whole; everything else keeps the default.
//
// A block comment may span lines, so the scan of a line starts in the state
// the previous line ended in and reports the state it ends in.

#include <QByteArrayView>
#include <cstdint>
#include <vector>

#include "text/TextEncoding.h"

class CKeywordTable;

namespace linescan {

// A line is colored no further than its 254th byte.
constexpr int kMaxLineBytes = 254;

// Bytes [start, end) of the line take color record `record`.
struct ColorRange {
    int start;
    int end;
    int record;
    bool operator==(const ColorRange&) const = default;
};

// Whether a block comment is open where a line starts or ends.
enum class LineState : std::uint8_t { Code, InComment };

// Appends the colored ranges of `line` (its bytes in `encoding`, without
// the line end) to `out`, in line order, and returns the state at its end.
// Only the first kMaxLineBytes bytes are colored; the rest of the line is
// scanned for the comments that open or close there.
LineState ScanLine(QByteArrayView line, const CKeywordTable& table, std::vector<ColorRange>& out,
                   LineState start = LineState::Code,
                   textenc::Encoding encoding = textenc::Encoding::ShiftJis);

}  // namespace linescan
