// Placeholder until the table-driven codec lands: ASCII only.
#include "text/Cp932Codec.h"

namespace cp932 {
QString Decode(QByteArrayView bytes) { return QString::fromLatin1(bytes); }
EncodeResult Encode(QStringView text) { return {text.toLatin1(), -1}; }
QByteArray EncodeLossy(QStringView text) { return text.toLatin1(); }
int EncodedLength(char32_t) { return 1; }
}  // namespace cp932
