#include "text/ShiftJis.h"

#include <gtest/gtest.h>

#include "text/Cp932Codec.h"

namespace {

// The scanners' byte classes must agree with the codec: a byte that begins a
// double-byte character is a lead byte, a one-byte character is none, so
// that a scanner never splits a character nor joins two.
TEST(ShiftJis, ByteClassesAgreeWithTheCodec) {
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<std::uint8_t>(b);
        bool beginsPair = false;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const char pair[2] = {static_cast<char>(b), static_cast<char>(trail)};
            beginsPair = beginsPair || cp932::Decode(QByteArrayView(pair, 2)).size() == 1;
        }
        const char single = static_cast<char>(b);
        const bool isCharacter = cp932::Decode(QByteArrayView(&single, 1)).size() == 1;
        SCOPED_TRACE(b);
        if (beginsPair) {
            EXPECT_TRUE(sjis::IsLeadByte(byte));
        }
        if (isCharacter) {
            EXPECT_FALSE(sjis::IsLeadByte(byte));
        }
    }
}

}  // namespace
