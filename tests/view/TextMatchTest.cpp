#include <gtest/gtest.h>

#include "view/TextMatch.h"

using textmatch::FindBackward;
using textmatch::FindForward;
using textmatch::IsWordBoundary;
using textmatch::Options;

namespace {
constexpr Options kPlain{false, false};
constexpr Options kCase{true, false};
constexpr Options kWord{false, true};
}  // namespace

TEST(TextMatch, CaseSensitivityFollowsTheOption) {
    const QString text = QStringLiteral("Print print PRINT");
    EXPECT_EQ(FindForward(text, u"print", 0, text.size(), kPlain), 0);
    EXPECT_EQ(FindForward(text, u"print", 0, text.size(), kCase), 6);
    EXPECT_EQ(FindForward(text, u"PRINT", 1, text.size(), kCase), 12);
    EXPECT_EQ(FindBackward(text, u"print", 0, text.size(), kPlain), 12);
    EXPECT_EQ(FindBackward(text, u"Print", 0, text.size(), kCase), 0);
    // Full-width letters fold too.
    const QString wide = QStringLiteral("ＡＢＣ");
    EXPECT_EQ(FindForward(wide, u"ａｂｃ", 0, wide.size(), kPlain), 0);
    EXPECT_EQ(FindForward(wide, u"ａｂｃ", 0, wide.size(), kCase), -1);
}

TEST(TextMatch, MatchMustLieWithinTheRange) {
    const QString text = QStringLiteral("abcabc");
    EXPECT_EQ(FindForward(text, u"abc", 1, 6, kPlain), 3);
    EXPECT_EQ(FindForward(text, u"abc", 1, 5, kPlain), -1);  // would end past `to`
    EXPECT_EQ(FindForward(text, u"abc", 0, 3, kPlain), 0);
    EXPECT_EQ(FindBackward(text, u"abc", 0, 5, kPlain), 0);
    EXPECT_EQ(FindBackward(text, u"abc", 1, 6, kPlain), 3);
    EXPECT_EQ(FindBackward(text, u"abc", 4, 6, kPlain), -1);  // would start before `from`
    EXPECT_EQ(FindForward(text, u"abc", -5, 99, kPlain), 0);
    EXPECT_EQ(FindBackward(text, u"abc", -5, 99, kPlain), 3);
}

TEST(TextMatch, WholeWordUsesLettersDigitsAndUnderscore) {
    const QString text = QStringLiteral("a_x ax x1 x (x) x");
    // "x" is whole only where no letter, digit or "_" touches it.
    EXPECT_EQ(FindForward(text, u"x", 0, text.size(), kWord), 10);
    EXPECT_EQ(FindForward(text, u"x", 11, text.size(), kWord), 13);
    EXPECT_EQ(FindForward(text, u"x", 14, text.size(), kWord), 16);
    EXPECT_EQ(FindBackward(text, u"x", 0, 16, kWord), 13);
    EXPECT_EQ(FindBackward(text, u"x", 0, 13, kWord), 10);
    EXPECT_EQ(FindBackward(text, u"x", 0, 10, kWord), -1);
    // A match that fails the word test does not hide an overlapping one.
    EXPECT_EQ(FindForward(u"aaa aa", u"aa", 0, 6, kWord), 4);
    EXPECT_EQ(FindBackward(u"aa aaa", u"aa", 0, 6, kWord), 0);
    // Search texts that begin or end with punctuation.
    EXPECT_EQ(FindForward(u"f(x)", u"(x", 0, 4, kWord), 1);
}

TEST(TextMatch, JapaneseWordsEndWhereTheScriptChanges) {
    // 変数 (kanji) を (hiragana) カウンタ (katakana) 値 (kanji)
    const QString text = QStringLiteral("変数をカウンタ値に");
    EXPECT_EQ(FindForward(text, u"変数", 0, text.size(), kWord), 0);
    EXPECT_EQ(FindForward(text, u"カウンタ", 0, text.size(), kWord), 3);
    EXPECT_EQ(FindForward(text, u"カウン", 0, text.size(), kWord), -1);
    EXPECT_EQ(FindForward(text, u"数", 0, text.size(), kWord), -1);
    EXPECT_EQ(FindForward(text, u"値", 0, text.size(), kWord), 7);
    // Half-width katakana with its prolonged sound mark is one word.
    EXPECT_EQ(FindForward(u"ｶｰﾄﾞ", u"ｶ", 0, 4, kWord), -1);
    // Latin letters next to Japanese are a word of their own.
    const QString mixed = QStringLiteral("値xを");
    EXPECT_EQ(FindForward(mixed, u"x", 0, mixed.size(), kWord), 1);
    EXPECT_TRUE(IsWordBoundary(mixed, 0));
    EXPECT_TRUE(IsWordBoundary(mixed, 3));
}

TEST(TextMatch, SupplementaryAndPrivateUseCharacters) {
    // U+F0081 stands for a byte that is no character: it ends a word.
    const QString pua = QStringLiteral("ab") + QString::fromUcs4(U"\U000F0081") + "ab";
    EXPECT_EQ(FindForward(pua, u"ab", 1, pua.size(), kWord), 4);
    // A kanji outside the BMP (𠮷) counts as a kanji on both sides.
    const QString rare = QString::fromUcs4(U"\U00020BB7") + QStringLiteral("野家");
    EXPECT_FALSE(IsWordBoundary(rare, 2));
    EXPECT_EQ(FindForward(rare, u"野家", 0, rare.size(), kWord), -1);
    EXPECT_EQ(FindForward(rare, u"野家", 0, rare.size(), kPlain), 2);
}
