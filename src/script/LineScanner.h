#pragma once
// The byte scan of one script line that finds what the keyword color table
// colors: the label at the line's start, words, and the ";" comment.
// Strings are stepped over whole; everything else keeps the default.

#include <QByteArrayView>
#include <vector>

class CKeywordTable;

namespace linescan {

// A line is scanned no further than its 254th byte.
constexpr int kMaxLineBytes = 254;

// Bytes [start, end) of the line take color record `record`.
struct ColorRange {
    int start;
    int end;
    int record;
    bool operator==(const ColorRange&) const = default;
};

// Appends the colored ranges of `line` (Shift_JIS bytes without the line
// end; bytes past kMaxLineBytes are ignored) to `out`, in line order.
void ScanLine(QByteArrayView line, const CKeywordTable& table, std::vector<ColorRange>& out);

}  // namespace linescan
