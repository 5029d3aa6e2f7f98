#include "support/QuillTest.h"

#include "script/KeywordScan.h"

TEST(KeywordScan, WordAtTheColumn) {
    const struct {
        QByteArray line;
        int column;
        QByteArray word;
    } cases[] = {
        // After the last word, the last word.
        {"goto *main   ", 12, "*main"},
        {"stop ;", 6, "stop"},
        {"mes print", 3, "mes"},  // the caret right after a word
        {"stop", 300, "stop"},
        {"", 0, ""},
        {"  123 ; ,", 3, ""},
        {"\x82\xa0\x82\xa2", 0, ""},  // two-byte characters start no word
        {"123abc", 0, "abc"},         // digits continue a word but start none
        {"x2y_3 ", 0, "x2y_3"},
        {"a\x95\x5c\x82\xa0 b", 0, "a\x95\x5c\x82\xa0"},  // whatever the trail byte
        {"*lab*el", 0, "*lab"},                           // "*" starts a word only
        {"* x", 0, "*"},
        // The character that ended a word starts none.
        {"abc*def", 5, "def"},
        {"abc *def", 5, "*def"},
        {"ab\xb1x", 3, "x"},
    };
    for (const auto& c : cases) {
        const linescan::WordRange w = linescan::WordAtColumn(c.line, c.column);
        EXPECT_EQ(c.line.mid(w.begin, w.end - w.begin), c.word)
            << c.line.data() << " @" << c.column;
    }
}

TEST(KeywordScan, PageNameTakesTheFirstSixBytesAsTheyStand) {
    EXPECT_EQ(linescan::KeywordPageName("Circle"), "S_Circle.htm");
    EXPECT_EQ(linescan::KeywordPageName("getpathx"), "S_getpat.htm");
    EXPECT_EQ(linescan::KeywordPageName(""), "S_.htm");
}
