#include "script/LabelLine.h"

#include <cstdint>

#include "text/LineChars.h"
#include "text/ShiftJis.h"

namespace linescan {

bool FindLabelName(QByteArrayView line, LabelNameRange* name, textenc::Encoding encoding) {
    const int n = int(line.size());
    int i = 0;
    while (i < n && sjis::IsBlank(std::uint8_t(line[i]))) {
        ++i;
    }
    if (i >= n || line[i] != '*') {
        return false;
    }
    const int begin = ++i;
    const auto* b = reinterpret_cast<const std::uint8_t*>(line.data());
    while (i < n) {
        const linechars::Char c = linechars::At(b, i, n, encoding);
        if (c.wide || sjis::IsLabelNameAscii(b[i])) {
            i += c.length;
        } else {
            break;
        }
    }
    name->begin = begin;
    name->end = i < n ? i : n;
    return true;
}

}  // namespace linescan
