#include "script/KeywordScan.h"

#include <algorithm>
#include <cstdint>

#include "text/LineChars.h"
#include "text/ShiftJis.h"

namespace linescan {

namespace {

bool StartsWord(std::uint8_t b) {
    return sjis::IsAsciiLetter(b) || b == '_' || b == '*';
}

bool ContinuesWord(std::uint8_t b, const linechars::Char& c) {
    return sjis::IsAsciiLetter(b) || sjis::IsAsciiDigit(b) || b == '_' || c.wide;
}

}  // namespace

WordRange WordAtColumn(QByteArrayView line, int column, textenc::Encoding encoding) {
    const int n = int(line.size());
    const auto* b = reinterpret_cast<const std::uint8_t*>(line.data());
    auto charAt = [&](int i) { return linechars::At(b, i, n, encoding); };
    WordRange last;
    int i = 0;
    while (i < n) {
        if (!StartsWord(b[i])) {
            i += charAt(i).length;
            continue;
        }
        const int begin = i++;
        while (i < n) {
            const linechars::Char c = charAt(i);
            if (!ContinuesWord(b[i], c)) {
                break;
            }
            i += c.length;
        }
        last = {begin, std::min(i, n)};
        if (last.end >= column) {
            return last;
        }
        // The character that ended the word starts no word of its own.
        if (i < n) {
            i += charAt(i).length;
        }
    }
    return last;
}
QByteArray KeywordPageName(QByteArrayView keyword) {
    return QByteArray("S_") + keyword.first(std::min<qsizetype>(keyword.size(), 6)).toByteArray() +
           QByteArray(".htm");
}

}  // namespace linescan
