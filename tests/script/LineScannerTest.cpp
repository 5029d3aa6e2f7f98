#include "support/QuillTest.h"

#include "script/CKeywordTable.h"
#include "script/LineScanner.h"

using linescan::ColorRange;
using Ranges = std::vector<ColorRange>;

namespace {

constexpr int kLabel = 1;
constexpr int kComment = 5;
constexpr int kWord = 6;
constexpr int kInt = 3;

Ranges Scan(const QByteArray& line, const CKeywordTable& table) {
    Ranges out;
    linescan::ScanLine(line, table, out);
    return out;
}

TEST(LineScanner, RangesOfEachLine) {
    const CKeywordTable table = CKeywordTable::Parse(
        "!blue\nprint\nmes\ngoto\nx1f\n#include\nstr_2#\n!yellow\nint\n!green\n;\n!red\n*\n");
    const QByteArray limit = QByteArray(249, ' ');
    const struct {
        QByteArray line;
        Ranges ranges;
    } cases[] = {
        {"", {}},
        {QByteArray("\0\x01\x1f \t", 5), {}},
        // A label colors from the line start through its name; two-byte
        // characters belong to it, "#", half-width kana and punctuation end it.
        {"\t  *main_2 ; c", {{0, 10, kLabel}, {11, 14, kComment}}},
        {" *;x", {{0, 2, kLabel}, {2, 4, kComment}}},
        {"*\x83\x41\x82\xa0z!", {{0, 6, kLabel}}},
        {"*ab#include", {{0, 3, kLabel}, {3, 11, kWord}}},
        {"*ab\xb1mes", {{0, 3, kLabel}, {4, 7, kWord}}},
        {"goto *print", {{0, 4, kWord}, {6, 11, kWord}}},  // a jump, not a label
        {"a*main", {}},
        // Words: any case; letters, digits, "_" and "#" after the start.
        {"Print PRINT pRiNt", {{0, 5, kWord}, {6, 11, kWord}, {12, 17, kWord}}},
        {"#include str_2# #includex", {{0, 8, kWord}, {9, 15, kWord}}},
        {"printmes mes2", {}},
        {"a=0x1F", {{3, 6, kWord}}},  // no word starts with a digit
        {"1int,int(2)", {{1, 4, kInt}, {5, 8, kInt}}},
        // Two-byte characters end words; trail bytes are no letters.
        {"print\x82\xa0", {{0, 5, kWord}}},
        {"\x83mes", {}},
        {"\x83pprint", {{2, 7, kWord}}},
        {"\xb1mes", {{1, 4, kWord}}},
        // Strings are stepped over whole, escapes included.
        {"mes \"print ; goto\" ; c", {{0, 3, kWord}, {19, 22, kComment}}},
        {"mes \"a\\\"print\" print", {{0, 3, kWord}, {15, 20, kWord}}},
        {"mes \"a\\\\\" print", {{0, 3, kWord}, {10, 15, kWord}}},
        {"\"\x95\\\" mes", {{5, 8, kWord}}},  // trail byte 0x5C escapes nothing
        {"print \"abc ; mes", {{0, 5, kWord}}},
        {"\"\\", {}},
        {"mes;print", {{0, 3, kWord}, {3, 9, kComment}}},
        // Nothing past the 254th byte is looked at.
        {QByteArray(250, ' ') + "printmes", {}},
        {limit + "print mes", {{249, 254, kWord}}},
        {limit + "  mes", {{251, 254, kWord}}},
        {QByteArray(200, ' ') + ";" + QByteArray(100, 'x'), {{200, 254, kComment}}},
        {"*" + QByteArray(252, 'a') + "\x82\xa0", {{0, 254, kLabel}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Scan(c.line, table), c.ranges) << c.line.left(40).data();
    }
}

TEST(LineScanner, CommentsAndTheStateTheyLeave) {
    using linescan::LineState;
    constexpr LineState kCode = LineState::Code;
    constexpr LineState kOpen = LineState::InComment;
    constexpr auto kUtf8 = textenc::Encoding::Utf8;
    constexpr auto kSjis = textenc::Encoding::ShiftJis;
    const CKeywordTable table = CKeywordTable::Parse("!blue\nmes\n!green\n;\n!red\n*\n");
    const struct {
        LineState start;
        QByteArray line;
        Ranges ranges;
        LineState end;
        textenc::Encoding encoding = kSjis;
    } cases[] = {
        {kCode, "mes // mes", {{0, 3, kWord}, {4, 10, kComment}}, kCode},
        {kCode, "mes /* mes */ mes", {{0, 3, kWord}, {4, 13, kComment}, {14, 17, kWord}}, kCode},
        {kCode, "mes /* mes", {{0, 3, kWord}, {4, 10, kComment}}, kOpen},
        {kCode, "a/*/", {{1, 4, kComment}}, kOpen},
        // Inside a comment: no label, no word; it ends after "*/".
        {kOpen, "*main mes", {{0, 9, kComment}}, kOpen},
        {kOpen, "", {}, kOpen},
        {kOpen, "x */ mes /*", {{0, 4, kComment}, {5, 8, kWord}, {9, 11, kComment}}, kOpen},
        // "*/" with no opening is a label line as any other.
        {kCode, "*/ mes", {{0, 1, kLabel}, {3, 6, kWord}}, kCode},
        // No opening inside a ";" comment or a string.
        {kCode, "; /* mes", {{0, 8, kComment}}, kCode},
        {kCode, "mes \"/* // ;\" mes", {{0, 3, kWord}, {14, 17, kWord}}, kCode},
        // A comment opened or closed past the colored bytes still counts.
        {kCode, QByteArray(260, ' ') + "/*", {}, kOpen},
        {kOpen, QByteArray(260, ' ') + "*/", {{0, 254, kComment}}, kCode},
        // UTF-8: every byte of a character is stepped over; a label takes
        // characters of several bytes but not half-width katakana.
        {kCode,
         "*\xe3\x81\x82"
         "b mes",
         {{0, 5, kLabel}, {6, 9, kWord}},
         kCode,
         kUtf8},
        {kCode, "*a\xef\xbd\xb1mes", {{0, 2, kLabel}, {5, 8, kWord}}, kCode, kUtf8},
        {kCode, "\"\xe3\x81\x82\" /*", {{6, 8, kComment}}, kOpen, kUtf8},
        {kCode, "\xc3\x9c;mes", {{2, 6, kComment}}, kCode, kUtf8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line.left(40).data());
        Ranges out;
        EXPECT_EQ(linescan::ScanLine(c.line, table, out, c.start, c.encoding), c.end);
        EXPECT_EQ(out, c.ranges);
    }
}

TEST(LineScanner, OnlyKeysInTheTableColor) {
    const CKeywordTable words = CKeywordTable::Parse("!blue\nmes\nprint\n");
    EXPECT_EQ(Scan("*mes mes", words), (Ranges{{5, 8, kWord}}));
    EXPECT_EQ(Scan("; print", words), Ranges{});
    EXPECT_EQ(Scan("print;print", words), (Ranges{{0, 5, kWord}}));
    EXPECT_EQ(Scan("*main\tprint \"x\" ; c", CKeywordTable()), Ranges{});
    // Keys listed before any color directive have record 0, labels too.
    EXPECT_EQ(Scan("*a mes", CKeywordTable::Parse("*\nmes\n")), (Ranges{{0, 2, 0}, {3, 6, 0}}));
}

}  // namespace
