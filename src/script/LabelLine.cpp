#include "script/LabelLine.h"

#include <cstdint>

#include "text/ShiftJis.h"

namespace linescan {

bool FindLabelName(QByteArrayView line, LabelNameRange* name) {
    const int n = int(line.size());
    int i = 0;
    while (i < n && sjis::IsBlank(std::uint8_t(line[i]))) {
        ++i;
    }
    if (i >= n || line[i] != '*') {
        return false;
    }
    const int begin = ++i;
    while (i < n) {
        const auto b = std::uint8_t(line[i]);
        if (sjis::IsLeadByte(b)) {
            i += 2;
        } else if (sjis::IsLabelNameAscii(b)) {
            ++i;
        } else {
            break;
        }
    }
    name->begin = begin;
    name->end = i < n ? i : n;
    return true;
}

}  // namespace linescan
