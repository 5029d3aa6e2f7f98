#include "script/LineScanner.h"

#include <QByteArray>
#include <algorithm>
#include <cstdint>

#include "script/CKeywordTable.h"
#include "script/LabelLine.h"
#include "text/AsciiCase.h"
#include "text/ShiftJis.h"

namespace linescan {

void ScanLine(QByteArrayView line, const CKeywordTable& table, std::vector<ColorRange>& out) {
    const int len = int(std::min<qsizetype>(line.size(), kMaxLineBytes));
    const QByteArrayView scanned = line.first(len);
    const auto* b = reinterpret_cast<const std::uint8_t*>(line.data());
    int i = 0;
    // A label: "*" as the first non-blank byte, then its name. The color
    // covers the blanks before it too.
    LabelNameRange label;
    if (FindLabelName(scanned, &label)) {
        i = label.end;
        const int record = table.Lookup(QByteArrayLiteral("*"));
        if (record >= 0) {
            out.push_back({0, i, record});
        }
    }

    char word[kMaxLineBytes + 1];
    while (i < len) {
        const std::uint8_t c = b[i];
        if (sjis::IsBlank(c)) {
            ++i;
        } else if (sjis::IsWordStart(c)) {
            int end = i + 1;
            while (end < len && sjis::IsWordChar(b[end])) {
                ++end;
            }
            for (int k = i; k < end; ++k) {
                word[k - i] = char(ascii::Lower(b[k]));
            }
            // The key only borrows the buffer: no copy per word.
            const int record = table.Lookup(QByteArray::fromRawData(word, end - i));
            if (record >= 0) {
                out.push_back({i, end, record});
            }
            i = end;
        } else if (c == '"') {
            // A string: words and semicolons inside are not looked at. A
            // backslash takes the byte after it, so \" does not end it.
            ++i;
            while (i < len) {
                const std::uint8_t s = b[i];
                if (s == '"') {
                    break;
                }
                i += (s == '\\' || sjis::IsLeadByte(s)) ? 2 : 1;
            }
            ++i;  // the closing quote (or past the end: the line is done)
        } else if (c == ';') {
            const int record = table.Lookup(QByteArrayLiteral(";"));
            if (record >= 0) {
                out.push_back({i, len, record});
            }
            return;
        } else {
            i += sjis::IsLeadByte(c) ? 2 : 1;
        }
    }
}

}  // namespace linescan
