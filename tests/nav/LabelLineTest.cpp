#include <gtest/gtest.h>

#include <QByteArray>

#include "nav/LabelLine.h"

namespace {

// The name that the rule finds in `line`, or "<none>" for no label line.
QByteArray NameOf(const QByteArray& line) {
    nav::LabelNameRange r;
    if (!nav::FindLabelName(line, &r)) {
        return "<none>";
    }
    return line.mid(r.begin, r.end - r.begin);
}

}  // namespace

TEST(LabelLine, BlanksAndControlBytesBeforeTheStarAreSkipped) {
    EXPECT_EQ(NameOf("*main"), "main");
    EXPECT_EQ(NameOf("\t\t*loop"), "loop");
    EXPECT_EQ(NameOf("  \x01\x1f *sub_1"), "sub_1");
}

TEST(LabelLine, LinesThatAreNoLabels) {
    EXPECT_EQ(NameOf(""), "<none>");
    EXPECT_EQ(NameOf(" \t "), "<none>");
    EXPECT_EQ(NameOf("goto *main"), "<none>");
    EXPECT_EQ(NameOf("; *comment"), "<none>");
    // A two-byte character before the star is not a blank.
    EXPECT_EQ(NameOf("\x81\x40*x"), "<none>");
}

TEST(LabelLine, NameEndsAtPunctuationBlanksAndHalfWidthKana) {
    EXPECT_EQ(NameOf("*abc:mes"), "abc");
    EXPECT_EQ(NameOf("*abc;note"), "abc");
    EXPECT_EQ(NameOf("*abc def"), "abc");
    EXPECT_EQ(NameOf("*abc\tdef"), "abc");
    EXPECT_EQ(NameOf("*ab-c"), "ab");
    EXPECT_EQ(NameOf("*abc\xb1"), "abc");  // half-width katakana "ｱ"
    EXPECT_EQ(NameOf("*Mixed_Case09"), "Mixed_Case09");
}

TEST(LabelLine, TwoByteCharactersBelongToTheName) {
    // "*ラベル" and a name mixing letters and a two-byte character whose
    // trail byte is a punctuation code (0x5C, "\" in ASCII).
    EXPECT_EQ(NameOf("*\x83\x89\x83\x78\x83\x8b"), "\x83\x89\x83\x78\x83\x8b");
    EXPECT_EQ(NameOf("*a\x95\x5c\x62:"), "a\x95\x5c\x62");
    // A lead byte cut off at the end of the bytes read ends the name there.
    EXPECT_EQ(NameOf("*ab\x83"), "ab\x83");
}

TEST(LabelLine, EmptyNames) {
    EXPECT_EQ(NameOf("*"), "");
    EXPECT_EQ(NameOf("*  "), "");
    EXPECT_EQ(NameOf("  *:"), "");
    EXPECT_EQ(NameOf("*\xb1\xb2"), "");  // half-width katakana starts no name
    EXPECT_EQ(NameOf("**a"), "");
}
