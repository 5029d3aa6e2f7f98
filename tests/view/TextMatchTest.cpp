#include "support/QuillTest.h"

#include "view/TextMatch.h"

using textmatch::FindBackward;
using textmatch::FindForward;
using textmatch::IsWordBoundary;
using textmatch::Options;

namespace {

constexpr Options kPlain{false, false};
constexpr Options kCase{true, false};
constexpr Options kWord{false, true};

TEST(TextMatch, FindsWithinTheRangeByCaseAndWholeWord) {
    const QString pua = "ab" + QString::fromUcs4(U"\U000F0081") + "ab";
    const QString rare = QString::fromUcs4(U"\U00020BB7") + QStringLiteral("野家");  // 𠮷野家
    const struct {
        bool forward;
        QString text, find;
        int from, to;
        Options options;
        int found;
    } cases[] = {
        {true, "Print print PRINT", "print", 0, 17, kPlain, 0},
        {true, "Print print PRINT", "print", 0, 17, kCase, 6},
        {false, "Print print PRINT", "print", 0, 17, kPlain, 12},
        {false, "Print print PRINT", "Print", 0, 17, kCase, 0},
        {true, "ＡＢＣ", "ａｂｃ", 0, 3, kPlain, 0},  // full-width letters fold too
        {true, "ＡＢＣ", "ａｂｃ", 0, 3, kCase, -1},
        // The match must lie within [from, to).
        {true, "abcabc", "abc", 1, 6, kPlain, 3},
        {true, "abcabc", "abc", 1, 5, kPlain, -1},
        {false, "abcabc", "abc", 0, 5, kPlain, 0},
        {false, "abcabc", "abc", 4, 6, kPlain, -1},
        {true, "abcabc", "abc", -5, 99, kPlain, 0},
        {false, "abcabc", "abc", -5, 99, kPlain, 3},
        // Whole words: no letter, digit or "_" may touch the match.
        {true, "a_x ax x1 x (x) x", "x", 0, 17, kWord, 10},
        {true, "a_x ax x1 x (x) x", "x", 11, 17, kWord, 13},
        {false, "a_x ax x1 x (x) x", "x", 0, 16, kWord, 13},
        {false, "a_x ax x1 x (x) x", "x", 0, 10, kWord, -1},
        {true, "aaa aa", "aa", 0, 6, kWord, 4},  // a failed match hides no later one
        {false, "aa aaa", "aa", 0, 6, kWord, 0},
        {true, "f(x)", "(x", 0, 4, kWord, 1},
        {true, "xZ x9 x", "x", 0, 7, kWord, 6},  // Z and 9 are letters of a word
        // Japanese words end where the script changes.
        {true, "変数をカウンタ値に", "カウンタ", 0, 9, kWord, 3},
        {true, "変数をカウンタ値に", "カウン", 0, 9, kWord, -1},
        {true, "変数をカウンタ値に", "数", 0, 9, kWord, -1},
        {true, "変数をカウンタ値に", "値", 0, 9, kWord, 7},
        {true, "ｶｰﾄﾞ", "ｶ", 0, 4, kWord, -1},  // the prolonged sound mark joins
        {true, "値xを", "x", 0, 3, kWord, 1},
        // U+F0081 (a byte that is no character) ends a word; 𠮷 is a kanji.
        {true, pua, "ab", 1, int(pua.size()), kWord, 4},
        {true, rare, "野家", 0, int(rare.size()), kWord, -1},
        {true, rare, "野家", 0, int(rare.size()), kPlain, 2},
    };
    for (const auto& c : cases) {
        const qsizetype found = c.forward ? FindForward(c.text, c.find, c.from, c.to, c.options)
                                          : FindBackward(c.text, c.find, c.from, c.to, c.options);
        EXPECT_EQ(found, c.found) << c.text.toStdString() << " / " << c.find.toStdString();
    }
    EXPECT_TRUE(IsWordBoundary(u"値xを", 0));
    EXPECT_TRUE(IsWordBoundary(u"値xを", 3));
    EXPECT_FALSE(IsWordBoundary(rare, 2));
    // The ends of the text are boundaries, whatever lies beyond it.
    EXPECT_TRUE(IsWordBoundary(QStringView(u"ab").mid(1), 0));
    EXPECT_TRUE(IsWordBoundary(QStringView(u"ab").left(1), 1));
}

}  // namespace
