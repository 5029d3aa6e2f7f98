#pragma once
// Lossless Shift_JIS (CP932) codec: every byte string decodes to a QString
// and encodes back to the very same bytes.
//
// Valid characters decode to their Unicode code points as glibc's iconv
// CP932 maps them (control codes stay as they are). A byte that starts no
// valid character becomes U+F0000 + byte; a valid double-byte code that
// would not encode back to itself (a duplicate code) becomes
// U+F0000 + the 16-bit code. Encoding maps those code points back.
//
// Encoding is the exact inverse of decoding: a character is held only if
// some bytes decode to it. So U+00A5 is not written as 0x5C, nor U+2016 as
// 0x8161 (those bytes read back as U+005C and U+2225), and a private code
// point that decoding never gives (U+F0041, for 0x41 reads back as "A") is
// not held either. A lone lead byte (U+F0081) directly followed by a
// character whose first byte would complete it to a pair cannot be held
// where it stands, as the saved bytes would read back as that pair.
//
// The mapping is text/Cp932Table.h, generated from iconv by
// tools/gen_cp932_table.cpp; the lookup tables are built from it at compile
// time, so the codec costs nothing at start-up and needs no gconv modules.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace cp932 {

QString Decode(QByteArrayView bytes);

struct EncodeResult {
    QByteArray bytes;
    // Index (in UTF-16 units of the input) of the first character that
    // Shift_JIS cannot hold, or -1 when the whole text was encoded.
    qsizetype failedAt = -1;
    bool ok() const { return failedAt < 0; }
};

// Encodes the whole text; stops at the first character that cannot be held
// and reports it (the bytes are then incomplete and must not be written).
EncodeResult Encode(QStringView text);

// Encodes for scanning only: a character that cannot be held becomes "?".
QByteArray EncodeLossy(QStringView text);

// Number of bytes (1 or 2) that the code point takes in Shift_JIS; a code
// point that cannot be held counts as 1 (the "?" of EncodeLossy).
int EncodedLength(char32_t codePoint);

// Whether lead byte `lead` followed by `trail` decodes as one two-byte
// character.
bool IsPair(unsigned char lead, unsigned char trail);

}  // namespace cp932
