#pragma once
// The encodings a script file may have: Shift_JIS (read and written
// losslessly by the CP932 codec), UTF-8, and UTF-8 with a byte-order mark.
// Detect() picks one for the bytes of a file; Decode() and Encode() convert
// a whole file's bytes, EncodeLossy() and EncodedLength() a line's text for
// the byte rules of the script.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

#include "text/Cp932Codec.h"

namespace textenc {

enum class Encoding : std::uint8_t { ShiftJis, Utf8, Utf8Bom };

constexpr bool IsUtf8(Encoding e) {
    return e != Encoding::ShiftJis;
}

// The byte-order mark that starts a UTF-8 file marked as such.
inline constexpr QByteArrayView kUtf8Bom = "\xEF\xBB\xBF";

// Whether `bytes` are well-formed UTF-8 (no overlong form, no surrogate,
// nothing past U+10FFFF, no sequence cut off); `multiByte`, when given,
// receives whether any character takes more than one byte.
bool IsValidUtf8(QByteArrayView bytes, bool* multiByte = nullptr);

// Whether Shift_JIS reads `bytes` as plain Japanese text: every byte is
// part of a character, and every character beyond ASCII is half-width
// katakana, a symbol, digit, letter or kana of the first rows of JIS X 0208
// (lead bytes 0x81-0x84) or a kanji of its first level (0x889F-0x9872).
bool IsPlainShiftJis(QByteArrayView bytes);

// The encoding of a file's bytes:
// - a byte-order mark followed by well-formed UTF-8: Utf8Bom;
// - well-formed UTF-8 holding a character of more than one byte, that
//   Shift_JIS does not read as plain Japanese text: Utf8;
// - anything else (ASCII only, invalid UTF-8, plain Shift_JIS): ShiftJis.
Encoding Detect(QByteArrayView bytes);

// The text of a file's bytes in `encoding` (Utf8Bom drops the mark when
// the bytes start with it); nullopt when they are not well-formed UTF-8.
// Shift_JIS always decodes, and encodes back to the very same bytes.
std::optional<QString> Decode(QByteArrayView bytes, Encoding encoding);

// The bytes of a file holding `text` in `encoding` (Utf8Bom starts with
// the mark). Only Shift_JIS and a lone surrogate can fail to be held; the
// result then names the first such character.
cp932::EncodeResult Encode(QStringView text, Encoding encoding);

// A line's text as bytes for scanning only (no byte-order mark); a
// character that cannot be held becomes "?".
QByteArray EncodeLossy(QStringView text, Encoding encoding);

// Bytes that EncodeLossy gives the code point.
int EncodedLength(char32_t codePoint, Encoding encoding);

}  // namespace textenc
