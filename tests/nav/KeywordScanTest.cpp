#include <gtest/gtest.h>

#include <QByteArray>

#include "nav/KeywordScan.h"

namespace {

QByteArray WordAt(const QByteArray& line, int column) {
    const nav::WordRange w = nav::WordAtColumn(line, column);
    return line.mid(w.begin, w.end - w.begin);
}

}  // namespace

TEST(KeywordScan, AfterTheLastWordTheLastWordIsTaken) {
    EXPECT_EQ(WordAt("goto *main   ", 12), "*main");
    EXPECT_EQ(WordAt("stop ;", 6), "stop");
    EXPECT_EQ(WordAt("stop", 300), "stop");
}

TEST(KeywordScan, LinesWithoutWords) {
    EXPECT_EQ(WordAt("", 0), "");
    EXPECT_EQ(WordAt("  123 ; ,", 3), "");
    // Two-byte characters never start a word.
    EXPECT_EQ(WordAt("\x82\xa0\x82\xa2", 0), "");
}

TEST(KeywordScan, WordCharacterClasses) {
    // Digits continue a word but start none.
    EXPECT_EQ(WordAt("123abc", 0), "abc");
    EXPECT_EQ(WordAt("x2y_3 ", 0), "x2y_3");
    // Two-byte characters after a letter belong to its word, whatever
    // their trail byte.
    EXPECT_EQ(WordAt("a\x95\x5c\x82\xa0 b", 0), "a\x95\x5c\x82\xa0");
    // "*" starts a word but continues none.
    EXPECT_EQ(WordAt("*lab*el", 0), "*lab");
    EXPECT_EQ(WordAt("* x", 0), "*");
}

TEST(KeywordScan, TheCharacterEndingAWordStartsNoWord) {
    // The "*" right after "abc" is passed over, so "def" is the next word.
    EXPECT_EQ(WordAt("abc*def", 5), "def");
    EXPECT_EQ(WordAt("abc *def", 5), "*def");
    // A lead byte ends no word, but a half-width kana does and is skipped.
    EXPECT_EQ(WordAt("ab\xb1x", 3), "x");
}

TEST(KeywordScan, PageNameTakesTheFirstSixBytesAsTheyStand) {
    EXPECT_EQ(nav::KeywordPageName("mes"), "S_mes.htm");
    EXPECT_EQ(nav::KeywordPageName("Circle"), "S_Circle.htm");
    EXPECT_EQ(nav::KeywordPageName("getpath"), "S_getpat.htm");
    EXPECT_EQ(nav::KeywordPageName("getpathx"), "S_getpat.htm");
    EXPECT_EQ(nav::KeywordPageName(""), "S_.htm");
}
