// Line-number parsing agrees with 64-bit arithmetic, saturating at INT_MAX.
#include <climits>

#include "FuzzSupport.h"
#include "nav/LineNumber.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = fuzz::Utf16(data, size);
    qint64 expected = 0;
    for (const QChar c : text) {
        if (c.unicode() < '0' || c.unicode() > '9') {
            break;
        }
        expected = std::min<qint64>(expected * 10 + (c.unicode() - '0'), qint64(INT_MAX) + 1);
    }
    expected = std::min<qint64>(expected, INT_MAX);
    fuzz::Check(nav::ParseLineNumber(text) == expected, "the number the digits spell");
    fuzz::Check(nav::ParseLineNumber(QString::fromLatin1(fuzz::Bytes(data, size))) >= 0,
                "never negative");
    return 0;
}
