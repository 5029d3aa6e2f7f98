#pragma once
// Lossless Shift_JIS (CP932) codec: every byte string decodes to a QString
// and encodes back to the very same bytes.
//
// Valid characters decode to their Unicode code points as glibc's iconv
// CP932 maps them (control codes stay as they are). A byte that starts no
// valid character becomes U+F0000 + byte. A valid double-byte code that
// would not encode back to itself (a duplicate code, such as the NEC-selected
// IBM extension 0xEEE0 beside the IBM extension 0xFBFC, both 髙) becomes its
// character followed by a mark, an invisible variation selector that no
// font draws: the n-th duplicate code of a character takes kMarks[n]. So
// the text shows the character, and encoding maps the pair back to the
// duplicate code. A mark that follows no character it belongs to (the
// character before it was replaced) is written as nothing.
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

// The marks of duplicate codes: variation selectors 256 and 255, which no
// font defines for any character.
inline constexpr char32_t kMarks[] = {0xE01EF, 0xE01EE};

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
// point that cannot be held counts as 1 (the "?" of EncodeLossy), a mark as
// 0 (the character before it counts the two bytes of the duplicate code).
int EncodedLength(char32_t codePoint);

// Whether lead byte `lead` followed by `trail` decodes as one two-byte
// character.
bool IsPair(unsigned char lead, unsigned char trail);
// Whether the code point is one of kMarks.
bool IsMark(char32_t codePoint);

// The text with every mark left out: the characters as other programs know
// them.
QString WithoutMarks(QStringView text);

}  // namespace cp932
