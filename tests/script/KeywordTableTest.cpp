#include "support/QuillTest.h"

#include "script/CKeywordTable.h"

namespace {

enum Record { kDefault = 0, kRed, kOrange, kYellow, kYellowGreen, kGreen, kBlue, kViolet };

TEST(KeywordTableParse, DirectivesSelectTheRecordOfTheKeysThatFollow) {
    const CKeywordTable all = CKeywordTable::Parse(
        "a\n!red\nb\n!orange\nc\n!yellow\nd\n!yellowgreen\ne\n!green\nf\n!blue\ng\n!violet\nh");
    const char* keys[] = {"a", "b", "c", "d", "e", "f", "g", "h"};
    for (int record = 0; record < 8; ++record) {
        EXPECT_EQ(all.Lookup(keys[record]), record) << keys[record];
    }
    // Only exact whole lines are directives; later entries win.
    const CKeywordTable t = CKeywordTable::Parse(
        "!blue\n!Red\n !red\n!red \n!reds\n!\nPrint\nmes\n!yellow\n!red\nmes\n");
    for (const char* key : {"!Red", " !red", "!red ", "!reds", "!", "Print"}) {
        EXPECT_EQ(t.Lookup(key), kBlue) << key;
    }
    EXPECT_FALSE(t.Contains("print"));
    EXPECT_FALSE(t.Contains("!yellow"));
    EXPECT_EQ(t.Lookup("mes"), kRed);
}

TEST(KeywordTableParse, LineEndsEmptyLinesAndCtrlZ) {
    // CR LF and LF end lines; a CR elsewhere is part of the key; the last
    // line counts without a line end.
    const CKeywordTable t = CKeywordTable::Parse("!red\r\nmes\r\nif\rx\nlast");
    EXPECT_EQ(t.Lookup("mes"), kRed);
    EXPECT_EQ(t.Lookup("if\rx"), kRed);
    EXPECT_EQ(t.Lookup("last"), kRed);
    EXPECT_EQ(t.Size(), 3);
    EXPECT_TRUE(CKeywordTable::Parse("!red\nend\r").Contains("end\r"));

    const CKeywordTable empty = CKeywordTable::Parse("!violet\n\r\n\nmes\n");
    EXPECT_EQ(empty.Lookup(""), kViolet);
    EXPECT_EQ(empty.Size(), 2);

    const CKeywordTable z = CKeywordTable::Parse("!red\nmes\x1a\nprint\n");
    EXPECT_EQ(z.Size(), 1);
    EXPECT_TRUE(z.Contains("mes"));
    EXPECT_TRUE(CKeywordTable::Parse("\x1a!red\nmes\n").IsEmpty());
    EXPECT_TRUE(CKeywordTable::Parse("!red\n!blue\n!violet").IsEmpty());
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
    // A named pipe must not block (the guarded reader refuses the rest).
    const QString fifo = dir.filePath("pipe.dat");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    t.Set("x", 1);
    EXPECT_FALSE(t.Load(fifo));
    EXPECT_TRUE(t.IsEmpty());

    // The shipped word list colors the language.
    ASSERT_TRUE(t.Load(testutil::SourceDir() + "/src/res/QUILL.DAT"));
    for (const char* key : {"*", ";", "mes", "goto", "if", "repeat", "stat", "#include", "int"}) {
        EXPECT_GT(t.Lookup(key), 0) << key;
    }
    EXPECT_NE(t.Lookup("*"), t.Lookup(";"));
}

}  // namespace
