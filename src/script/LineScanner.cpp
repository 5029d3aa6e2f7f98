#include "script/LineScanner.h"

#include <QByteArray>
#include <algorithm>
#include <cstdint>

#include "script/CKeywordTable.h"
#include "script/LabelLine.h"
#include "text/AsciiCase.h"
#include "text/LineChars.h"
#include "text/ShiftJis.h"

namespace linescan {

namespace {

// Offset just past the "*/" that closes a block comment whose text starts
// at `from`, or -1 when the line does not close it. Neither byte can be the
// second half of a Shift_JIS character, so the bytes are searched as they are.
qsizetype CommentEnd(QByteArrayView line, qsizetype from) {
    const qsizetype at = line.indexOf(QByteArrayView("*/"), from);
    return at < 0 ? -1 : at + 2;
}

}  // namespace

LineState ScanLine(QByteArrayView line, const CKeywordTable& table, std::vector<ColorRange>& out,
                   LineState start, textenc::Encoding encoding) {
    const int n = int(line.size());
    const int len = std::min(n, kMaxLineBytes);
    const auto* b = reinterpret_cast<const std::uint8_t*>(line.data());
    // A comment from `from` to `to` (or to the end of the colored bytes).
    auto comment = [&](int from, int to) {
        const int record = from < len ? table.Lookup(QByteArrayLiteral(";")) : -1;
        if (record >= 0) {
            out.push_back({from, std::min(to, len), record});
        }
    };
    int i = 0;
    if (start == LineState::InComment) {
        // Nothing inside the comment is colored on its own, a label neither.
        const qsizetype end = CommentEnd(line, 0);
        comment(0, end < 0 ? n : int(end));
        if (end < 0) {
            return LineState::InComment;
        }
        i = int(end);
    } else {
        // A label: "*" as the first non-blank byte, then its name. The color
        // covers the blanks before it too.
        LabelNameRange label;
        if (FindLabelName(line.first(len), &label, encoding)) {
            i = label.end;
            const int record = table.Lookup(QByteArrayLiteral("*"));
            if (record >= 0) {
                out.push_back({0, i, record});
            }
        }
    }

    char word[kMaxLineBytes + 1];
    while (i < n) {
        const std::uint8_t c = b[i];
        if (sjis::IsBlank(c)) {
            ++i;
        } else if (sjis::IsWordStart(c)) {
            const int limit = i < len ? len : n;
            int end = i + 1;
            while (end < limit && sjis::IsWordChar(b[end])) {
                ++end;
            }
            if (i < len) {
                for (int k = i; k < end; ++k) {
                    word[k - i] = char(ascii::Lower(b[k]));
                }
                // The key only borrows the buffer: no copy per word.
                const int record = table.Lookup(QByteArray::fromRawData(word, end - i));
                if (record >= 0) {
                    out.push_back({i, end, record});
                }
            }
            i = end;
        } else if (c == '"') {
            // A string: words and comment marks inside are not looked at. A
            // backslash takes the byte after it, so \" does not end it.
            ++i;
            while (i < n) {
                const std::uint8_t s = b[i];
                if (s == '"') {
                    break;
                }
                i += s == '\\' ? 2 : linechars::At(b, i, n, encoding).length;
            }
            ++i;  // the closing quote (or past the end: the line is done)
        } else if (c == ';' || (c == '/' && i + 1 < n && b[i + 1] == '/')) {
            comment(i, n);
            return LineState::Code;
        } else if (c == '/' && i + 1 < n && b[i + 1] == '*') {
            const qsizetype end = CommentEnd(line, i + 2);
            comment(i, end < 0 ? n : int(end));
            if (end < 0) {
                return LineState::InComment;
            }
            i = int(end);
        } else {
            i += linechars::At(b, i, n, encoding).length;
        }
    }
    return LineState::Code;
}

}  // namespace linescan
