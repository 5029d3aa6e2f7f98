#include "support/QuillTest.h"

#include "view/CTextSearch.h"

namespace {

using Match = CTextSearch::Match;

// A document with a selection, searched as the view searches it: each match
// becomes the new selection.
class SearchDoc {
public:
    explicit SearchDoc(const QString& text, int start = 0, int end = 0) : s(start), e(end) {
        doc.setPlainText(text);
    }

    Match FindText(const QString& find, bool matchCase = false, bool wholeWord = false) {
        return Select(search.FindText(doc, s, e, find, matchCase, wholeWord));
    }
    Match Next(const QString& find, bool down = true) {
        return Select(search.FindNext(doc, s, e, {find, false, false, down}));
    }
    Match Select(Match m) {
        if (m.Found()) {
            s = m.start;
            e = m.end;
        }
        return m;
    }

    int s;
    int e;
    QTextDocument doc;
    CTextSearch search;
};

}  // namespace

TEST(TextSearch, FindTextRunsForwardWrapsOnceAndStopsAtTheOrigin) {
    SearchDoc d("ab ab\nab ab", 4, 4);  // inside the second "ab"
    EXPECT_EQ(d.FindText("ab").start, 6);
    EXPECT_EQ(d.FindText("ab").start, 9);
    EXPECT_EQ(d.FindText("ab").start, 0);  // wrapped
    // The one at 3 straddles the origin (4): the cycle ends before it.
    EXPECT_FALSE(d.FindText("ab").Found());
    EXPECT_FALSE(d.search.InCycle());
    // Nothing found ends the cycle: the next search starts a new one here.
    EXPECT_EQ(d.FindText("ab").start, 3);

    // A non-empty selection: the search starts one after its start.
    SearchDoc a("aaa", 0, 2);
    EXPECT_EQ(a.FindText("aa").start, 1);
    EXPECT_FALSE(a.FindText("aa").Found());
}

TEST(TextSearch, ChangingTheRequestStartsANewCycle) {
    SearchDoc d("ab AB ab", 4, 4);
    EXPECT_EQ(d.FindText("ab").start, 6);
    EXPECT_EQ(d.FindText("ab").start, 0);  // wrapped, origin 4
    // Match case is a new request: a new origin at the selection (0, 2).
    EXPECT_EQ(d.FindText("AB", true).start, 3);
    EXPECT_FALSE(d.FindText("AB", true).Found());
    EXPECT_EQ(d.search.LastRequest().find, "AB");
    EXPECT_TRUE(d.search.LastRequest().matchCase);
}

TEST(TextSearch, FindNextDownAndUp) {
    SearchDoc d("aa aa aa", 3, 5);       // the middle "aa" selected
    EXPECT_EQ(d.Next("aa").start, 6);    // down from the selection's end
    EXPECT_EQ(d.Next("aa").start, 0);    // wrapped
    EXPECT_FALSE(d.Next("aa").Found());  // back at the origin (3)

    d.s = 3;
    d.e = 5;
    EXPECT_EQ(d.Next("aa", false).start, 0);    // up from the selection's start
    EXPECT_EQ(d.Next("aa", false).start, 6);    // wrapped to the end
    EXPECT_FALSE(d.Next("aa", false).Found());  // origin is the selection's end (5)
}

TEST(TextSearch, SearchTextWithALineBreakMatchesAcrossLines) {
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("end\nstart\nend\nstart"));
    EXPECT_EQ(CTextSearch::FindInDocument(doc, "end\nstart", 0, 19, {}, true).start, 0);
    EXPECT_EQ(CTextSearch::FindInDocument(doc, "end\r\nstart", 1, 19, {}, true).start, 10);
    EXPECT_EQ(CTextSearch::FindInDocument(doc, "end\nstart", 0, 19, {}, false).start, 10);
    EXPECT_FALSE(CTextSearch::FindInDocument(doc, "end\nstart", 1, 18, {}, true).Found());
    // A line break at the end of the range counts.
    EXPECT_EQ(CTextSearch::FindInDocument(doc, "start\n", 0, 10, {}, true).start, 4);
}

TEST(TextSearch, OriginFollowsEditsBeforeIt) {
    SearchDoc d("b a b a", 4, 4);  // origin between the second "b" and the second "a"
    EXPECT_EQ(d.FindText("a").start, 6);
    // An edit before the origin moves it along.
    QTextCursor(&d.doc).insertText("a");  // "ab a b a", origin 5
    d.s = d.e = 8;                        // after the match, which moved along as well
    EXPECT_EQ(d.FindText("a").start, 0);
    EXPECT_EQ(d.FindText("a").start, 3);
    EXPECT_FALSE(d.FindText("a").Found());  // the "a" at 5 is past the origin
}
