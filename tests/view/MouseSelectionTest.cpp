// The mouse in the editor's text: the selection bar selects whole lines,
// a drag across a word boundary whole words.
#include "view/CMouseSelection.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include "view/CQuillView.h"
#include "view/WordBounds.h"

namespace {

class MouseSelection : public ::testing::Test {
protected:
    void SetUp() override {
        view.resize(640, 320);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }
    QRect CaretRect(int pos) {
        QTextCursor c(view.document());
        c.setPosition(pos);
        return view.cursorRect(c);
    }
    // A point over the left quarter of the character at `pos`.
    QPoint Over(int pos) {
        const QRect r = CaretRect(pos);
        return QPoint(r.left() + std::max((CaretRect(pos + 1).left() - r.left()) / 4, 1),
                      r.center().y());
    }
    void Mouse(QEvent::Type type, const QPoint& at, Qt::MouseButtons buttons) {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, view.viewport()->mapToGlobal(at), button, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(view.viewport(), &event);
    }
    QString Selected() { return view.textCursor().selectedText(); }

    CQuillView view;
};

TEST_F(MouseSelection, SelectionBarSelectsWholeLines) {
    view.setPlainText(QStringLiteral("first line\nsecond\nthird"));
    const int bar = CMouseSelection::kBarWidth / 2;
    const auto lineY = [this](int line) {
        return CaretRect(view.document()->findBlockByNumber(line).position()).top() + 3;
    };

    // The pointer turns into the bar's arrow there, an I-beam over text.
    Mouse(QEvent::MouseMove, QPoint(bar, lineY(0)), Qt::NoButton);
    EXPECT_EQ(view.viewport()->cursor().shape(), Qt::BitmapCursor);
    Mouse(QEvent::MouseMove, QPoint(60, lineY(0)), Qt::NoButton);
    EXPECT_EQ(view.viewport()->cursor().shape(), Qt::IBeamCursor);
    // The text starts right of the bar, moved by no more than the bar.
    EXPECT_GE(CaretRect(0).left(), CMouseSelection::kBarWidth - 1);
    EXPECT_LE(CaretRect(0).left(), CMouseSelection::kBarWidth + 1);

    // A click selects the line with its line end; a drag whole lines, up
    // or down from the line it started on.
    Mouse(QEvent::MouseButtonPress, QPoint(bar, lineY(1)), Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, QPoint(bar, lineY(1)), Qt::NoButton);
    EXPECT_EQ(Selected(), QStringLiteral("second\u2029"));
    Mouse(QEvent::MouseButtonPress, QPoint(bar, lineY(1)), Qt::LeftButton);
    Mouse(QEvent::MouseMove, QPoint(bar + 40, lineY(2)), Qt::LeftButton);
    EXPECT_EQ(Selected(), QStringLiteral("second\u2029third"));
    Mouse(QEvent::MouseMove, QPoint(bar, lineY(0)), Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, QPoint(bar, lineY(0)), Qt::NoButton);
    EXPECT_EQ(Selected(), QStringLiteral("first line\u2029second\u2029"));
    EXPECT_EQ(view.textCursor().position(), 0);
}

TEST_F(MouseSelection, DragAcrossAWordBoundarySelectsWholeWords) {
    // "beta_gamma" is 6..16, 漢字 17..19, かな 19..21, "next" starts at 22.
    view.setPlainText(QStringLiteral("alpha beta_gamma 漢字かな\nnext"));
    struct Drag {
        int from;
        int to;
        const char* selected;
    };
    const Drag drags[] = {
        {12, 14, "am"},                         // within one word: characters
        {12, 19, "beta_gamma 漢字"},            // forward into another word
        {12, 3, "alpha beta_gamma"},            // backward
        {17, 18, "漢"},                         // inside a run of kanji
        {17, 20, "漢字かな"},                   // kanji and kana are two words
        {12, 22, "beta_gamma 漢字かな\u2029"},  // to the start of the next line
    };
    for (const Drag& d : drags) {
        SCOPED_TRACE(d.selected);
        const QPoint from = Over(d.from);
        view.Ctrl().SetSel(0, 0);  // a press on a selection would drag it away
        Mouse(QEvent::MouseButtonPress, from, Qt::LeftButton);
        Mouse(QEvent::MouseMove, Over(d.to), Qt::LeftButton);
        Mouse(QEvent::MouseButtonRelease, Over(d.to), Qt::NoButton);
        EXPECT_EQ(Selected(), QString::fromUtf8(d.selected));
    }
}

TEST(WordBounds, WordsAreRunsOfOneKind) {
    const QString line = QStringLiteral("a_1 +=  ひらカナー漢字ｶﾅ、。x");
    struct Case {
        int index;
        int start;
        int end;
    };
    const Case cases[] = {
        {0, 0, 3},    {2, 0, 3},    {3, 3, 4},    {4, 4, 5},    {5, 5, 6},
        {6, 6, 8},    {8, 8, 10},   {10, 10, 13}, {12, 10, 13}, {13, 13, 15},
        {15, 15, 17}, {17, 17, 19}, {19, 19, 20}, {20, 20, 20}, {99, 20, 20},
    };
    for (const Case& c : cases) {
        const wordbounds::Word w = wordbounds::WordAt(line, c.index);
        EXPECT_EQ(w.start, c.start) << c.index;
        EXPECT_EQ(w.end, c.end) << c.index;
    }
}

}  // namespace
