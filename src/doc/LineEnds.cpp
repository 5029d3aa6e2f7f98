#include "doc/LineEnds.h"

#include <array>

namespace lineends {

SplitText Split(QStringView text) {
    SplitText result;
    result.text.reserve(text.size());
    std::array<qsizetype, 3> counts{};
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n') {
            continue;
        }
        result.text += text.mid(runStart, i - runStart);
        result.text += u'\n';
        LineEnd end = c == u'\n' ? LineEnd::Lf : LineEnd::Cr;
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            end = LineEnd::CrLf;
            ++i;
        }
        result.ends.push_back(end);
        ++counts[size_t(end)];
        runStart = i + 1;
    }
    result.text += text.mid(runStart);
    // The enum's order is the order of preference on a tie.
    for (const LineEnd end : {LineEnd::Lf, LineEnd::Cr}) {
        if (counts[size_t(end)] > counts[size_t(result.common)]) {
            result.common = end;
        }
    }
    return result;
}

QLatin1StringView Text(LineEnd end) {
    switch (end) {
        case LineEnd::Lf:
            return QLatin1StringView("\n");
        case LineEnd::Cr:
            return QLatin1StringView("\r");
        case LineEnd::CrLf:
            break;
    }
    return QLatin1StringView("\r\n");
}

}  // namespace lineends
