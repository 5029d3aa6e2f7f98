// Reading compiler messages: the script line they name, and program output
// turned into lines.
#include <gtest/gtest.h>

#include <climits>

#include "doc/CompileMessages.h"

namespace {

const QStringList kNames = ScriptNamesOf("/opt/hsp/hsptmp", "/home/u/my game/main.as");

TEST(CompileMessages, EachFormNamesItsLine) {
    const struct {
        const char* message;
        std::optional<int> line;
    } cases[] = {
        {"hsptmp(12) : error 3 : bad", 12},
        {"/opt/hsp/hsptmp(7) : error", 7},
        {"main.as:4: error: x", 4},
        {"/home/u/my game/main.as:9:3: warning", 9},
        {"#Error: syntax in line 12 [hsptmp]", 12},
        {"#Error in line 5 [main.as]", 5},
        {"Line 8: unknown word", 8},
        {"error in line 3", 3},
        {"12行目でエラーが発生しました", 12},
        {"エラー: 3 行目", 3},
        {"１２行目", 12},
        {"hsptmp(0) : error", 0},
        {"hsptmp(99999999999) : error", INT_MAX},
        // The first form counts.
        {"hsptmp(2) : error in line 9", 2},
        // Another file: shown, no line of the script.
        {"other.as(3) : error", std::nullopt},
        {"/opt/hsp/lib/hsptmp(3) : error", std::nullopt},
        {"in line 4 [other.hsp]", std::nullopt},
        {"sub/util.as:5: error", std::nullopt},
        // Not a form.
        {"mes(3) needs a string; in line 6", 6},
        {"hsptmp(-3) : error", std::nullopt},
        {"inline 4, online 5", std::nullopt},
        {"at 12:30:45", std::nullopt},
        {"line x", std::nullopt},
        {"行目", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(MessageScriptLine(QString::fromUtf8(c.message), kNames), c.line);
    }
    EXPECT_EQ(FirstMessageScriptLine(u"compiling\nother.as(1) : x\nhsptmp(5) : y\nline 7", kNames),
              5);
    EXPECT_EQ(FirstMessageScriptLine(u"all fine", kNames), std::nullopt);
}

TEST(CompileMessages, OutputIsUtf8ElseShiftJisAndNeverFails) {
    EXPECT_EQ(DecodeProgramOutput("\xE3\x81\x82 ok"), QStringLiteral("あ ok"));
    EXPECT_EQ(DecodeProgramOutput("\x82\xA0 ok"), QStringLiteral("あ ok"));
    EXPECT_EQ(DecodeProgramOutput("a\xFF\xFE"
                                  "b\x82"),
              QStringLiteral("a\uFFFD\uFFFDb\uFFFD"));
}

TEST(CompileMessages, OutputIsCutIntoLinesAsItArrives) {
    OutputLineSplitter splitter;
    EXPECT_EQ(splitter.Feed("one\r\ntw"), QStringList{"one"});
    // A character cut between two reads is whole in its line.
    EXPECT_EQ(splitter.Feed("o \xE3\x81"), QStringList());
    EXPECT_EQ(splitter.Feed("\x82\n\nthree"), (QStringList{"two あ", ""}));
    EXPECT_EQ(splitter.Flush(), QStringList{"three"});
    EXPECT_EQ(splitter.Flush(), QStringList());
    // A line without an end is given once it is too long to hold.
    const QByteArray endless(OutputLineSplitter::kMaxPendingBytes + 1, 'x');
    EXPECT_EQ(splitter.Feed(endless), QStringList{QString::fromLatin1(endless)});
}

}  // namespace
