#pragma once
// Characters of a script line's bytes, in the line's own encoding, as the
// byte rules of the script step over them.

#include <cstdint>

#include "text/ShiftJis.h"
#include "text/TextEncoding.h"

namespace linechars {

struct Char {
    // Bytes the character takes (it may be cut off by the line's end).
    int length;
    // Whether names (labels, help words) take it as they take a two-byte
    // character of Shift_JIS: in UTF-8, any character of several bytes
    // except half-width katakana (U+FF61-U+FF9F), which Shift_JIS holds in
    // one byte.
    bool wide;
};

// The character that starts at byte `i` of the `n` bytes at `b`.
constexpr Char At(const std::uint8_t* b, int i, int n, textenc::Encoding encoding) {
    const std::uint8_t c = b[i];
    if (c < 0x80) {
        return {1, false};
    }
    if (!textenc::IsUtf8(encoding)) {
        return sjis::IsLeadByte(c) ? Char{2, true} : Char{1, false};
    }
    if (c == 0xEF && i + 2 < n &&
        ((b[i + 1] == 0xBD && b[i + 2] >= 0xA1) || (b[i + 1] == 0xBE && b[i + 2] <= 0x9F))) {
        return {3, false};
    }
    const int length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    return {length, true};
}

}  // namespace linechars
