#include "text/Cp932Codec.h"

#include <iconv.h>
#include "support/QuillTest.h"

using namespace Qt::StringLiterals;

namespace {

QByteArray Bytes(std::initializer_list<int> bytes) {
    QByteArray out;
    for (const int b : bytes) {
        out.append(static_cast<char>(b));
    }
    return out;
}

// One code point as UTF-16 (QString::fromUcs4 would drop a U+FEFF).
QString Ucs4(char32_t cp) {
    if (cp < 0x10000) {
        return QString(QChar(char16_t(cp)));
    }
    const QChar pair[2] = {QChar(QChar::highSurrogate(cp)), QChar(QChar::lowSurrogate(cp))};
    return QString(pair, 2);
}

// The code point that stands for a byte that starts no character.
QString Private(char32_t code) {
    return Ucs4(0xF0000 + code);
}

// A duplicate code's character followed by mark `n`.
QString Marked(const char16_t* character, int n = 0) {
    return QString::fromUtf16(character) + Ucs4(cp932::kMarks[n]);
}

QString Hex(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.toHex(' '));
}

// Decodes and encodes back; the bytes must come back as they were.
void ExpectRoundTrip(const QByteArray& bytes) {
    const QString text = cp932::Decode(bytes);
    const cp932::EncodeResult back = cp932::Encode(text);
    ASSERT_TRUE(back.ok()) << Hex(bytes).toStdString() << " fails at " << back.failedAt;
    ASSERT_EQ(back.bytes, bytes) << Hex(bytes).toStdString();
    ASSERT_EQ(cp932::EncodeLossy(text), bytes) << Hex(bytes).toStdString();
}

bool IsPairLead(int b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

TEST(Cp932Codec, EverySingleByteAndEveryPairRoundTrips) {
    for (int b = 0; b < 256; ++b) {
        ExpectRoundTrip(Bytes({b}));
        ExpectRoundTrip(Bytes({'a', b}));
        ExpectRoundTrip(Bytes({b, 'a'}));
    }
    for (int lead = 0x80; lead < 256; ++lead) {
        for (int trail = 0; trail < 256; ++trail) {
            ExpectRoundTrip(Bytes({lead, trail}));
            ExpectRoundTrip(Bytes({lead, trail, lead}));
        }
    }
}

// A sequence that round-trips through glibc's iconv CP932 decodes to the same
// character here; a duplicate code to iconv's character and a mark; any other
// to private code points.
TEST(Cp932Codec, AgreesWithIconv) {
    iconv_t decoder = iconv_open("UTF-32LE", "CP932");
    iconv_t encoder = iconv_open("CP932", "UTF-32LE");
    if (decoder == reinterpret_cast<iconv_t>(-1) || encoder == reinterpret_cast<iconv_t>(-1)) {
        GTEST_SKIP() << "iconv has no CP932";
    }
    // Returns the code point iconv decodes `bytes` to (-1: none), and
    // whether it encodes back to them.
    auto iconvRoundTrip = [&](const QByteArray& bytes, bool* back) -> long {
        char32_t cp[4];
        char* in = const_cast<char*>(bytes.data());
        size_t inLeft = bytes.size();
        char* out = reinterpret_cast<char*>(cp);
        size_t outLeft = sizeof cp;
        iconv(decoder, nullptr, nullptr, nullptr, nullptr);
        if (iconv(decoder, &in, &inLeft, &out, &outLeft) == size_t(-1) || inLeft != 0 ||
            outLeft != sizeof cp - sizeof(char32_t)) {
            return -1;
        }
        char encoded[8];
        in = reinterpret_cast<char*>(cp);
        inLeft = sizeof(char32_t);
        out = encoded;
        outLeft = sizeof encoded;
        iconv(encoder, nullptr, nullptr, nullptr, nullptr);
        *back = iconv(encoder, &in, &inLeft, &out, &outLeft) != size_t(-1) &&
                QByteArray(encoded, sizeof encoded - outLeft) == bytes;
        return static_cast<long>(cp[0]);
    };
    std::vector<QByteArray> sequences;
    for (int b = 0; b < 256; ++b) {
        sequences.push_back(Bytes({b}));
        if (IsPairLead(b)) {
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                sequences.push_back(Bytes({b, trail}));
            }
        }
    }
    int failing = 0, duplicates = 0;
    for (const QByteArray& bytes : sequences) {
        bool back = false;
        const long cp = iconvRoundTrip(bytes, &back);
        const QString text = cp932::Decode(bytes);
        if (cp >= 0 && back) {
            EXPECT_EQ(text, Ucs4(char32_t(cp))) << Hex(bytes).toStdString();
            continue;
        }
        ++failing;
        if (cp >= 0) {
            ++duplicates;
            EXPECT_EQ(cp932::WithoutMarks(text), Ucs4(char32_t(cp))) << Hex(bytes).toStdString();
        } else {
            EXPECT_TRUE(text.front().isHighSurrogate() && text.toUcs4().front() >= 0xF0000)
                << Hex(bytes).toStdString();
        }
    }
    EXPECT_EQ(failing, 2199);
    EXPECT_EQ(duplicates, 398);
    iconv_close(decoder);
    iconv_close(encoder);
}

struct Sample {
    QByteArray bytes;
    QString text;
};

// Every single sequence is checked against iconv above; these are texts
// whose exact characters it does not show.
TEST(Cp932Codec, SamplesDecodeToTheirCharactersAndEncodeBack) {
    const Sample samples[] = {
        // Trail byte 0x5C, the backslash of ASCII.
        {Bytes({0x95, 0x5C, 0x8E, 0xA6, 0x5C}), u"表示\\"_s},
        // A lone lead byte at the end.
        {Bytes({'a', 0x81}), u"a"_s + Private(0x81)},
        // After a lead byte whose pair is no character, decoding goes on at
        // the next byte.
        {Bytes({0x81, 0x20, 0x81, 0x7F, 0x81, 0xFD}),
         Private(0x81) + u" "_s + Private(0x81) + u"\x7F"_s + Private(0x81) + Private(0xFD)},
        {Bytes({0x85, 0x40, 0x85, 0x82, 0xA0}), Private(0x85) + u"@"_s + Private(0x85) + u"あ"_s},
        {Bytes({0x81, 0x0D, 0x0A}), Private(0x81) + u"\r\n"_s},
        // Duplicate codes, whose characters encode to other codes: the
        // character with a mark, a second duplicate of one character with
        // the second mark.
        {Bytes({0xEE, 0xE0, 0xFB, 0xFC, 0xED, 0x95, 0xFA, 0xB1}),
         Marked(u"髙") + u"髙"_s + Marked(u"﨑") + u"﨑"_s},
        {Bytes({0xEE, 0xF9, 0xFA, 0x54, 0x81, 0xCA}), Marked(u"￢") + Marked(u"￢", 1) + u"￢"_s},
        {Bytes({0x87, 0x9A, 0xFA, 0x5B, 0x81, 0xE6}), Marked(u"∵") + Marked(u"∵", 1) + u"∵"_s},
        {Bytes({0xFA, 0x4A, 0x87, 0x54, 0xEE, 0xEF}), Marked(u"Ⅰ") + u"Ⅰ"_s + Marked(u"ⅰ")},
    };
    for (const Sample& s : samples) {
        EXPECT_EQ(cp932::Decode(s.bytes), s.text) << Hex(s.bytes).toStdString();
        const cp932::EncodeResult back = cp932::Encode(s.text);
        EXPECT_TRUE(back.ok()) << Hex(s.bytes).toStdString();
        EXPECT_EQ(back.bytes, s.bytes) << Hex(s.bytes).toStdString();
    }
}

// A mark after a character it does not belong to (the character before it
// was replaced) is written as nothing; after its own character, the
// duplicate code.
TEST(Cp932Codec, StrayMarksAreWrittenAsNothing) {
    const Sample samples[] = {
        {Bytes({0x8D, 0x82, 0xFB, 0xFC}), Marked(u"高") + Marked(u"髙", 1)},
        {Bytes({0xEE, 0xE0, 0x81, 0x0A}), Marked(u"髙") + Marked(u"\U000F0081") + u"\n"_s},
    };
    for (const Sample& s : samples) {
        EXPECT_EQ(cp932::Encode(s.text).bytes, s.bytes) << Hex(s.bytes).toStdString();
        EXPECT_EQ(cp932::EncodeLossy(s.text), s.bytes) << Hex(s.bytes).toStdString();
    }
    // A lone lead byte is still checked against what follows the mark.
    EXPECT_FALSE(cp932::Encode(Private(0x81) + Ucs4(cp932::kMarks[0]) + u"@"_s).ok());
}

struct Unencodable {
    QString text;
    qsizetype failedAt;
    QByteArray lossy;
};

// Single code points are all checked by EncodedLengthAgreesWithEncode.
TEST(Cp932Codec, CharactersShiftJisCannotHoldAreReported) {
    const QString loneHigh(QChar(0xD83D));
    const QString loneLow(QChar(0xDE00));
    const Unencodable cases[] = {
        {u"ab😀c"_s, 2, "ab?c"},
        // iconv would write U+00A5 as 0x5C, which reads back as "\\".
        {u"x¥"_s, 1, "x?"},
        {u"a"_s + loneHigh, 1, "a?"},
        {loneHigh + u"b"_s, 0, "?b"},
        {u"a"_s + loneLow + loneHigh, 1, "a??"},
        // A private code point that decoding never gives.
        {u"表"_s + Ucs4(0xFFFFD), 1, "\x95\x5C?"},
        // A lone lead byte that the next character would complete to a pair.
        {u"z"_s + Private(0x81) + u"@"_s, 1, "z\x81@"},
        {Private(0x81) + Private(0x80), 0, "\x81\x80"},
        {Private(0x81) + u"あ"_s, 0, "\x81\x82\xA0"},
    };
    for (const Unencodable& c : cases) {
        const cp932::EncodeResult result = cp932::Encode(c.text);
        EXPECT_FALSE(result.ok()) << c.text.toStdString();
        EXPECT_EQ(result.failedAt, c.failedAt) << c.text.toStdString();
        EXPECT_EQ(cp932::EncodeLossy(c.text), c.lossy) << c.text.toStdString();
    }
}

// For every code point EncodedLength agrees with Encode, or with the single
// "?" of EncodeLossy for a character Shift_JIS cannot hold.
TEST(Cp932Codec, EncodedLengthAgreesWithEncode) {
    int held = 0;
    for (char32_t cp = 0; cp <= 0x10FFFF; ++cp) {
        const QString text = Ucs4(cp);
        const cp932::EncodeResult result = cp932::Encode(text);
        if (result.ok()) {
            ++held;
            ASSERT_EQ(cp932::EncodedLength(cp), result.bytes.size()) << std::hex << unsigned(cp);
            ASSERT_EQ(cp932::Decode(result.bytes), cp932::WithoutMarks(text))
                << std::hex << unsigned(cp);
        } else {
            ASSERT_EQ(cp932::EncodedLength(cp), 1) << std::hex << unsigned(cp);
            ASSERT_EQ(cp932::EncodeLossy(text), "?") << std::hex << unsigned(cp);
        }
    }
    // Each of the 11,596 sequences but the invalid pairs and the duplicate
    // codes is one character; the two marks are held too.
    EXPECT_EQ(held, 11596 - 1736 - 398 + 2);
}

}  // namespace
