#include "script/KeywordScan.h"

#include <algorithm>
#include <cstdint>

#include "text/ShiftJis.h"

namespace linescan {

namespace {

bool StartsWord(std::uint8_t b) {
    return sjis::IsAsciiLetter(b) || b == '_' || b == '*';
}

bool ContinuesWord(std::uint8_t b) {
    return sjis::IsAsciiLetter(b) || sjis::IsAsciiDigit(b) || b == '_' || sjis::IsLeadByte(b);
}

// Bytes taken by the character that starts at `i`.
int CharLength(QByteArrayView line, int i) {
    return sjis::IsLeadByte(std::uint8_t(line[i])) ? 2 : 1;
}

}  // namespace

WordRange WordAtColumn(QByteArrayView line, int column) {
    const int n = int(line.size());
    WordRange last;
    int i = 0;
    while (i < n) {
        if (!StartsWord(std::uint8_t(line[i]))) {
            i += CharLength(line, i);
            continue;
        }
        const int begin = i++;
        while (i < n && ContinuesWord(std::uint8_t(line[i]))) {
            i += CharLength(line, i);
        }
        last = {begin, std::min(i, n)};
        if (last.end >= column) {
            return last;
        }
        // The character that ended the word starts no word of its own.
        if (i < n) {
            i += CharLength(line, i);
        }
    }
    return last;
}

QByteArray KeywordPageName(QByteArrayView keyword) {
    return QByteArray("S_") + keyword.first(std::min<qsizetype>(keyword.size(), 6)).toByteArray() +
           QByteArray(".htm");
}

}  // namespace linescan
