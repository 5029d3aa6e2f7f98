#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "support/TestUtil.h"
#include "view/CKeywordTable.h"
#include "view/KeywordColors.h"

namespace {

enum Record { kDefault = 0, kRed, kOrange, kYellow, kYellowGreen, kGreen, kBlue, kViolet };

TEST(KeywordTableParse, DirectivesSelectTheRecordOfTheKeysThatFollow) {
    const CKeywordTable t = CKeywordTable::Parse("!blue\nprint\ngoto\n!green\n;\n!red\n*\n");
    EXPECT_EQ(t.Size(), 4);
    EXPECT_EQ(t.Lookup("print"), kBlue);
    EXPECT_EQ(t.Lookup("goto"), kBlue);
    EXPECT_EQ(t.Lookup(";"), kGreen);
    EXPECT_EQ(t.Lookup("*"), kRed);

    const CKeywordTable all = CKeywordTable::Parse(
        "a\n!red\nb\n!orange\nc\n!yellow\nd\n!yellowgreen\ne\n!green\nf\n!blue\ng\n!violet\nh");
    const char* keys[] = {"a", "b", "c", "d", "e", "f", "g", "h"};
    for (int record = 0; record < 8; ++record) {
        EXPECT_EQ(all.Lookup(keys[record]), record) << keys[record];
    }
}

TEST(KeywordTableParse, DirectivesMatchWholeLinesExactly) {
    // Letter case and blanks make a key; so does a longer or shorter word.
    const CKeywordTable t =
        CKeywordTable::Parse("!blue\n!Red\n !red\n!red \n!reds\n!\nPrint\n!yellow\n");
    EXPECT_EQ(t.Lookup("!Red"), kBlue);
    EXPECT_EQ(t.Lookup(" !red"), kBlue);
    EXPECT_EQ(t.Lookup("!red "), kBlue);
    EXPECT_EQ(t.Lookup("!reds"), kBlue);
    EXPECT_EQ(t.Lookup("!"), kBlue);
    EXPECT_EQ(t.Lookup("Print"), kBlue);
    EXPECT_FALSE(t.Contains("print"));
    EXPECT_FALSE(t.Contains("!yellow"));
}

TEST(KeywordTableParse, KeysBeforeAnyDirectiveTakeTheDefaultAndLaterEntriesWin) {
    const CKeywordTable t = CKeywordTable::Parse("*\n;\nmes\n!blue\nprint\n!red\nprint\n");
    EXPECT_EQ(t.Lookup("*"), kDefault);
    EXPECT_EQ(t.Lookup(";"), kDefault);
    EXPECT_EQ(t.Lookup("mes"), kDefault);
    EXPECT_EQ(t.Lookup("print"), kRed);
}

TEST(KeywordTableParse, LineEnds) {
    // CR LF and LF end lines; a CR elsewhere is part of the key; the last
    // line counts without a line end; nothing after the last line end.
    const CKeywordTable t = CKeywordTable::Parse("!red\r\nmes\r\nif\rx\nlast");
    EXPECT_EQ(t.Lookup("mes"), kRed);
    EXPECT_EQ(t.Lookup("if\rx"), kRed);
    EXPECT_EQ(t.Lookup("last"), kRed);
    EXPECT_EQ(t.Size(), 3);
    EXPECT_FALSE(t.Contains(""));

    const CKeywordTable crAtEnd = CKeywordTable::Parse("!red\nend\r");
    EXPECT_TRUE(crAtEnd.Contains("end\r"));
}

TEST(KeywordTableParse, EmptyLinesAreTheEmptyKey) {
    const CKeywordTable t = CKeywordTable::Parse("!violet\n\r\n\nmes\n");
    EXPECT_EQ(t.Lookup(""), kViolet);
    EXPECT_EQ(t.Size(), 2);
}

TEST(KeywordTableParse, CtrlZEndsTheFile) {
    const CKeywordTable t = CKeywordTable::Parse("!red\nmes\x1a\nprint\n");
    EXPECT_TRUE(t.Contains("mes"));
    EXPECT_FALSE(t.Contains("print"));
    EXPECT_EQ(t.Size(), 1);
    EXPECT_TRUE(CKeywordTable::Parse("\x1a!red\nmes\n").IsEmpty());
}

TEST(KeywordTableParse, OnlyDirectivesOrNothingLeaveTheTableEmpty) {
    EXPECT_TRUE(CKeywordTable::Parse("!red\n!blue\n!violet").IsEmpty());
    EXPECT_TRUE(CKeywordTable::Parse("").IsEmpty());
}

TEST(KeywordTableParse, LongLinesAndAnyBytesAreKeptWhole) {
    QByteArray longKey(5000, 'x');
    longKey += "\x81\x40\xff";
    const CKeywordTable t = CKeywordTable::Parse("!orange\n" + longKey + "\nmes");
    EXPECT_EQ(t.Lookup(longKey), kOrange);
    EXPECT_EQ(t.Lookup("mes"), kOrange);
}

TEST(KeywordTableLoad, ReadsTheFileOrReportsFailure) {
    QTemporaryDir dir;
    const QString path = testutil::WriteFile(dir, "QUILL.DAT", "!blue\nprint\n");
    CKeywordTable t;
    ASSERT_TRUE(t.Load(path));
    EXPECT_EQ(t.Lookup("print"), kBlue);

    EXPECT_FALSE(t.Load(dir.filePath("missing.dat")));
    EXPECT_TRUE(t.IsEmpty());
    EXPECT_FALSE(t.Load(dir.path()));  // a folder is not a readable file
    EXPECT_TRUE(t.IsEmpty());
}

TEST(KeywordTableLoad, ShippedWordListColorsTheLanguage) {
    CKeywordTable t;
    ASSERT_TRUE(t.Load(testutil::SourceDir() + "/src/res/QUILL.DAT"));
    for (const char* key : {"*", ";", "mes", "goto", "gosub", "if", "repeat", "loop", "stat", "cnt",
                            "#include", "#define", "int", "strlen", "dim", "screen"}) {
        EXPECT_GT(t.Lookup(key), 0) << key;
    }
    EXPECT_NE(t.Lookup("*"), t.Lookup(";"));
    EXPECT_NE(t.Lookup("goto"), t.Lookup("stat"));
}

TEST(KeywordColors, RecordsAsTheTableGivesThem) {
    const auto formats = keywordcolors::BuildFormats(QFont("IPAGothic"));
    EXPECT_EQ(formats[0].foreground().color(), QColor(255, 255, 255));
    EXPECT_EQ(formats[0].fontFamilies().toStringList(), QStringList{"IPAGothic"});
    EXPECT_EQ(formats[2].foreground().color(), QColor(220, 120, 0));
    EXPECT_EQ(formats[6].foreground().color(), QColor(0, 100, 250));
    for (int i = 1; i < 8; ++i) {
        // Colors only: merging them leaves the face alone.
        EXPECT_FALSE(formats[i].hasProperty(QTextFormat::FontFamilies)) << i;
        EXPECT_EQ(formats[i].properties().size(), 1) << i;
    }
    EXPECT_EQ(keywordcolors::DirectiveRecord("!yellowgreen"), 4);
    EXPECT_EQ(keywordcolors::DirectiveRecord("!yellow"), 3);
    EXPECT_EQ(keywordcolors::DirectiveRecord("yellow"), -1);
}

}  // namespace
