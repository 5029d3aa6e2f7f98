#pragma once
// Byte classes of Shift_JIS text as every scanner in the editor sees them.
// All tests take the byte as unsigned.

#include <cstdint>

namespace sjis {

// A byte 0x80-0x9F or 0xE0-0xFF begins a two-byte character.
constexpr bool IsLeadByte(std::uint8_t b) {
    return (b >= 0x80 && b <= 0x9F) || b >= 0xE0;
}

// Space and every control character, tab and line ends included.
constexpr bool IsBlank(std::uint8_t b) {
    return b <= 0x20;
}

constexpr bool IsAsciiDigit(std::uint8_t b) {
    return b >= '0' && b <= '9';
}

constexpr bool IsAsciiLetter(std::uint8_t b) {
    return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
}

// First byte of a script word: a letter, "_" or "#".
constexpr bool IsWordStart(std::uint8_t b) {
    return IsAsciiLetter(b) || b == '_' || b == '#';
}

// Any later byte of a script word: a word start or a digit.
constexpr bool IsWordChar(std::uint8_t b) {
    return IsWordStart(b) || IsAsciiDigit(b);
}

// One-byte characters of a label name (two-byte characters belong too,
// but they are recognised by their lead byte).
constexpr bool IsLabelNameAscii(std::uint8_t b) {
    return IsAsciiLetter(b) || IsAsciiDigit(b) || b == '_';
}

}  // namespace sjis
