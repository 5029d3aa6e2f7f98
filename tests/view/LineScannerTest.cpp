#include <gtest/gtest.h>

#include "view/CKeywordTable.h"
#include "view/LineScanner.h"

using linescan::ColorRange;
using Ranges = std::vector<ColorRange>;

namespace {

constexpr int kLabel = 1;
constexpr int kComment = 5;
constexpr int kWord = 6;
constexpr int kInt = 3;

CKeywordTable Table() {
    return CKeywordTable::Parse(
        "!blue\nprint\nmes\ngoto\nx1f\n#include\nstr_2#\n!yellow\nint\n!green\n;\n!red\n*\n");
}

Ranges Scan(const QByteArray& line, const CKeywordTable& table = Table()) {
    Ranges out;
    linescan::ScanLine(line, table, out);
    return out;
}

TEST(LineScanner, BlankAndEmptyLinesHaveNoRanges) {
    EXPECT_TRUE(Scan("").empty());
    EXPECT_TRUE(Scan(" \t\t  ").empty());
    EXPECT_TRUE(Scan(QByteArray("\0\x01\x1f ", 4)).empty());
}

TEST(LineScanner, LabelColorsFromTheLineStartThroughItsName) {
    EXPECT_EQ(Scan("*main"), (Ranges{{0, 5, kLabel}}));
    EXPECT_EQ(Scan("\t  *main_2 ; c"), (Ranges{{0, 10, kLabel}, {11, 14, kComment}}));
    EXPECT_EQ(Scan("*"), (Ranges{{0, 1, kLabel}}));
    EXPECT_EQ(Scan(" *;x"), (Ranges{{0, 2, kLabel}, {2, 4, kComment}}));
    // Two-byte characters belong to the name; "#", half-width katakana,
    // blanks and punctuation end it.
    EXPECT_EQ(Scan("*\x83\x41\x82\xa0z!"), (Ranges{{0, 6, kLabel}}));
    EXPECT_EQ(Scan("*ab#include"), (Ranges{{0, 3, kLabel}, {3, 11, kWord}}));
    EXPECT_EQ(Scan("*ab\xb1mes"), (Ranges{{0, 3, kLabel}, {4, 7, kWord}}));
    EXPECT_EQ(Scan("*ab.print"), (Ranges{{0, 3, kLabel}, {4, 9, kWord}}));
}

TEST(LineScanner, StarAfterOtherTextIsAnOrdinaryByte) {
    // A jump to a label: the name after "*" is looked up as a word.
    EXPECT_EQ(Scan("goto *print"), (Ranges{{0, 4, kWord}, {6, 11, kWord}}));
    EXPECT_EQ(Scan("a*main"), Ranges{});
}

TEST(LineScanner, LabelWithoutStarKeyIsNotColored) {
    const CKeywordTable t = CKeywordTable::Parse("!blue\nmes\n");
    EXPECT_EQ(Scan("*mes mes", t), (Ranges{{5, 8, kWord}}));
}

TEST(LineScanner, WordsAreLookedUpInLowerCase) {
    EXPECT_EQ(Scan("Print PRINT print pRiNt"),
              (Ranges{{0, 5, kWord}, {6, 11, kWord}, {12, 17, kWord}, {18, 23, kWord}}));
    // Letters, digits, "_" and "#" after a word start are one word.
    EXPECT_EQ(Scan("#include str_2# #includex"), (Ranges{{0, 8, kWord}, {9, 15, kWord}}));
    EXPECT_EQ(Scan("printmes mes2"), Ranges{});
    // A word cannot start with a digit: in 0x1F the word is x1f.
    EXPECT_EQ(Scan("a=0x1F"), (Ranges{{3, 6, kWord}}));
    EXPECT_EQ(Scan("1int,int(2)"), (Ranges{{1, 4, kInt}, {5, 8, kInt}}));
}

TEST(LineScanner, TwoByteCharactersEndWordsAndTheirTrailBytesAreNoLetters) {
    // "print" followed by a two-byte character ends before it.
    EXPECT_EQ(Scan("print\x82\xa0"), (Ranges{{0, 5, kWord}}));
    // Trail bytes 0x40-0x7E look like ASCII letters: "\x83" "mes" would read
    // as the word mes if the scan stepped one byte into the character.
    EXPECT_EQ(Scan("\x83mes"), Ranges{});
    EXPECT_EQ(Scan("\x83print"), Ranges{});
    EXPECT_EQ(Scan("\x83pprint"), (Ranges{{2, 7, kWord}}));
    // Half-width katakana is a one-byte character.
    EXPECT_EQ(Scan("\xb1mes"), (Ranges{{1, 4, kWord}}));
}

TEST(LineScanner, StringsAreSteppedOverWhole) {
    EXPECT_EQ(Scan("mes \"print ; goto\" ; c"), (Ranges{{0, 3, kWord}, {19, 22, kComment}}));
    // An escaped quote does not end the string, an escaped backslash does not
    // escape the quote after it.
    EXPECT_EQ(Scan("mes \"a\\\"print\" print"), (Ranges{{0, 3, kWord}, {15, 20, kWord}}));
    EXPECT_EQ(Scan("mes \"a\\\\\" print"), (Ranges{{0, 3, kWord}, {10, 15, kWord}}));
    // A two-byte character whose trail byte is a backslash does not escape.
    EXPECT_EQ(Scan("\"\x95\\\" mes"), (Ranges{{5, 8, kWord}}));
    // Unterminated: nothing after it is colored.
    EXPECT_EQ(Scan("print \"abc ; mes"), (Ranges{{0, 5, kWord}}));
    EXPECT_EQ(Scan("\"\\"), Ranges{});
}

TEST(LineScanner, SemicolonEndsTheLine) {
    EXPECT_EQ(Scan("mes;print"), (Ranges{{0, 3, kWord}, {3, 9, kComment}}));
    const CKeywordTable noComment = CKeywordTable::Parse("!blue\nprint\n");
    EXPECT_EQ(Scan("; print", noComment), Ranges{});
    EXPECT_EQ(Scan("print;print", noComment), (Ranges{{0, 5, kWord}}));
}

TEST(LineScanner, NothingPastTheLimitIsLookedAt) {
    // A word across the 254th byte is looked up as far as it lies within.
    QByteArray line(250, ' ');
    line += "printmes";
    EXPECT_EQ(Scan(line), Ranges{});
    line = QByteArray(249, ' ') + "print mes";
    EXPECT_EQ(Scan(line), (Ranges{{249, 254, kWord}}));
    line = QByteArray(251, ' ') + "mes";
    EXPECT_EQ(Scan(line), (Ranges{{251, 254, kWord}}));
    line = QByteArray(200, ' ') + ";" + QByteArray(100, 'x');
    EXPECT_EQ(Scan(line), (Ranges{{200, 254, kComment}}));
    // A two-byte character across the limit is cut off at the limit.
    line = "*" + QByteArray(252, 'a') + "\x82\xa0";
    EXPECT_EQ(Scan(line), (Ranges{{0, 254, kLabel}}));
}

TEST(LineScanner, EmptyTableColorsNothing) {
    const CKeywordTable empty;
    EXPECT_EQ(Scan("*main\tprint \"x\" ; c", empty), Ranges{});
}

}  // namespace
