#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "text/Cp932Codec.h"
#include "text/TextEncoding.h"
#include "text/Utf16.h"

using textenc::Encoding;

namespace {

QByteArray Sjis(const char* utf8) {
    return cp932::Encode(QString::fromUtf8(utf8)).bytes;
}

// Scripts as they are written: Japanese in comments and strings, a few
// kanji of the second level (噂, 嘘) among the first.
constexpr const char* kJapanese[] = {
    "; サンプル: 画面に文字を表示する\r\n*main\r\n\tmes \"こんにちは、世界！\"\r\n"
    "\tgoto *main ; 噂の嘘を確かめる\r\n",
    "/* 初期化 */\nscreen 0, 640, 480\nmes \"ゲームオーバー\" // 終了\nstop\n",
    "a = 1 ; 数値\n",
    "mes \"全角ＡＢＣ１２３と記号【】※→\"\n",
};

TEST(TextEncoding, DetectionCorpus) {
    const QByteArray bom = textenc::kUtf8Bom.toByteArray();
    QByteArray binary(4096, Qt::Uninitialized);
    QRandomGenerator random(24);
    for (char& b : binary) {
        b = char(random.bounded(256));
    }
    const struct {
        const char* name;
        QByteArray bytes;
        Encoding expected;
    } cases[] = {
        {"ascii", "mes \"hello\"\r\nstop\r\n", Encoding::ShiftJis},
        {"empty", "", Encoding::ShiftJis},
        {"bom only", bom, Encoding::Utf8Bom},
        // Short half-width katakana: "ﾃｽ" is also well-formed UTF-8 ("ý"),
        // and so is "ﾃ院" ("É@").
        {"sjis kana tesu", Sjis("mes \"ﾃｽ\"\n"), Encoding::ShiftJis},
        {"sjis kana tesuto", Sjis("ﾃｽﾄ\n"), Encoding::ShiftJis},
        {"sjis kana line", Sjis("; ｱｲｳｴｵ ｶﾞｷﾞ\n"), Encoding::ShiftJis},
        {"sjis kana and kanji", Sjis("ﾃ院\n"), Encoding::ShiftJis},
        {"utf8 kana", QByteArray("ﾃｽﾄ\n"), Encoding::Utf8},
        {"utf8 two chars", QByteArray("あい"), Encoding::Utf8},
        {"utf8 arrow", QByteArray("a → b"), Encoding::Utf8},
        {"utf8 emoji", QByteArray("mes \"🙂\""), Encoding::Utf8},
        // Latin letters of two bytes read as plain half-width katakana.
        {"utf8 latin", QByteArray("café"), Encoding::ShiftJis},
        {"utf8 one invalid byte", QByteArray("mes \"あ\"\n\xff\n"), Encoding::ShiftJis},
        {"utf8 cut at the end", QByteArray("あ").left(2), Encoding::ShiftJis},
        {"bom then invalid", bom + "\x82\xa0", Encoding::ShiftJis},
        {"bom then ascii", bom + "mes", Encoding::Utf8Bom},
        {"overlong slash", QByteArray("\xc0\xaf"), Encoding::ShiftJis},
        {"surrogate", QByteArray("\xed\xa0\x80"), Encoding::ShiftJis},
        {"mixed", Sjis("; 日本語\n") + QByteArray("; 日本語\n"), Encoding::ShiftJis},
        {"binary", binary, Encoding::ShiftJis},
        {"png", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), Encoding::ShiftJis},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(textenc::Detect(c.bytes), c.expected) << c.name;
    }
    for (const char* text : kJapanese) {
        EXPECT_EQ(textenc::Detect(Sjis(text)), Encoding::ShiftJis) << text;
        EXPECT_EQ(textenc::Detect(text), Encoding::Utf8) << text;
        EXPECT_EQ(textenc::Detect(bom + text), Encoding::Utf8Bom) << text;
    }
}

TEST(TextEncoding, FilesDecodeAndEncodeBackToTheirBytes) {
    const QByteArray bom = textenc::kUtf8Bom.toByteArray();
    const struct {
        QByteArray bytes;
        Encoding encoding;
    } cases[] = {
        {Sjis(kJapanese[0]) + "\x80\xff", Encoding::ShiftJis},
        {kJapanese[1], Encoding::Utf8},
        {bom + kJapanese[1], Encoding::Utf8Bom},
        {bom + bom, Encoding::Utf8Bom},  // a second mark is text
        {"", Encoding::Utf8Bom},         // a new file gets its mark
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.toHex().left(40).data());
        const std::optional<QString> text = textenc::Decode(c.bytes, c.encoding);
        ASSERT_TRUE(text);
        const cp932::EncodeResult back = textenc::Encode(*text, c.encoding);
        EXPECT_TRUE(back.ok());
        EXPECT_EQ(back.bytes, c.bytes.isEmpty() && c.encoding == Encoding::Utf8Bom ? bom : c.bytes);
    }
    EXPECT_FALSE(textenc::Decode("\xff", Encoding::Utf8));
    EXPECT_EQ(textenc::Encode(QStringView(u"ab\xD800"), Encoding::Utf8).failedAt, 2);
}

TEST(TextEncoding, LineBytesAndTheirLengthsAgree) {
    const QString text = QStringLiteral("aé漢ｱ🙂") + QChar(0xDC00);
    for (const Encoding encoding : {Encoding::ShiftJis, Encoding::Utf8}) {
        const QByteArray bytes = textenc::EncodeLossy(text, encoding);
        int sum = 0;
        for (qsizetype i = 0; i < text.size();) {
            int units = 1;
            sum += textenc::EncodedLength(utf16::CodePointAt(text, i, &units), encoding);
            i += units;
        }
        EXPECT_EQ(sum, bytes.size()) << int(encoding);
    }
    EXPECT_EQ(textenc::EncodeLossy(text, Encoding::Utf8), QByteArray("aé漢ｱ🙂?"));
}

}  // namespace
