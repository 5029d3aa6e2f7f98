// The editor's text on screen: every glyph whole inside its own line at any
// face and size, zooming, the selection bar and word selection by mouse.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontDatabase>
#include <QImage>
#include <QMouseEvent>
#include <QTest>
#include <QTextBlock>
#include <QWheelEvent>

#include "view/CQuillView.h"
#include "view/EditorFont.h"
#include "view/KeywordColors.h"
#include "view/WordBounds.h"

namespace {

bool IsInk(QRgb pixel) {
    return qGray(pixel) > 40;  // white text on black
}

// Rows of `image` between `top` and `bottom` (exclusive) with ink in
// columns [left, right).
int InkRows(const QImage& image, int left, int right, int top, int bottom) {
    int rows = 0;
    for (int y = std::max(top, 0); y < std::min(bottom, image.height()); ++y) {
        for (int x = std::max(left, 0); x < std::min(right, image.width()); ++x) {
            if (IsInk(image.pixel(x, y))) {
                ++rows;
                break;
            }
        }
    }
    return rows;
}

class ViewText : public ::testing::Test {
protected:
    void SetUp() override {
        view.resize(640, 320);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }
    QRect CharRect(int pos) {
        QTextCursor c(view.document());
        c.setPosition(pos);
        const QRect left = view.cursorRect(c);
        c.setPosition(pos + 1);
        return QRect(left.left(), left.top(), view.cursorRect(c).left() - left.left(),
                     left.height());
    }
    // Top of `line`'s box in viewport pixels.
    int LineTop(int line) {
        QTextCursor c(view.document()->findBlockByNumber(line));
        return view.cursorRect(c).top();
    }
    QImage Grab(const QRect& rect = QRect()) {
        return view.viewport()->grab(rect.isNull() ? view.viewport()->rect() : rect).toImage();
    }
    // Height in pixels of the ink of the first line's text.
    int FirstLineInkHeight() {
        const QImage image = Grab();
        return InkRows(image, 0, image.width(), 0, LineTop(1));
    }
    void Mouse(QEvent::Type type, const QPoint& at, Qt::MouseButtons buttons) {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, view.viewport()->mapToGlobal(at), button, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(view.viewport(), &event);
    }
    QString Selected() { return view.textCursor().selectedText(); }
    // A point over the left quarter of the character at `pos`.
    QPoint Over(int pos) {
        const QRect r = CharRect(pos);
        return QPoint(r.left() + std::max(r.width() / 4, 1), r.center().y());
    }

    CQuillView view;
};

}  // namespace

TEST_F(ViewText, EveryGlyphStaysInsideItsOwnLineAtEveryFaceAndSize) {
    const QString text = QStringLiteral("gosub *move_player_\nSCREEN_W gjpqy_\nMWMWMW_\nend");
    QStringList families = {keywordcolors::FixedFace().family()};
    for (const char* f : {"IPAGothic", "DejaVu Sans Mono", "Noto Sans Mono CJK JP"}) {
        if (QFontDatabase::families().contains(QLatin1String(f))) {
            families << QLatin1String(f);
        }
    }
    view.setPlainText(text);
    for (const QString& family : families) {
        for (int points : {8, 9, editorfont::kDefaultPointSize, 15, 20}) {
            SCOPED_TRACE(QStringLiteral("%1 %2pt").arg(family).arg(points).toStdString());
            // As a desktop that asks for full hinting hands the face out.
            QFont face(family);
            face.setHintingPreference(QFont::PreferFullHinting);
            view.SetTextFace(face);
            view.SetFontPointSize(points);
            QApplication::processEvents();
            const QImage whole = Grab();
            for (int line = 0; line < 2; ++line) {
                // Repainting one line alone (as typing or the caret does)
                // draws exactly what a full paint shows there: no ink of
                // the line above hangs into it.
                const QRect box(0, LineTop(line + 1), whole.width(),
                                LineTop(line + 2) - LineTop(line + 1));
                EXPECT_EQ(Grab(box), whole.copy(box)) << "line " << line + 1;
                // The underscore at the end of the line shows.
                const QTextBlock block = view.document()->findBlockByNumber(line);
                const QRect underscore = CharRect(block.position() + block.length() - 2);
                EXPECT_GT(InkRows(whole, underscore.left(), underscore.right() + 1, LineTop(line),
                                  LineTop(line + 1)),
                          0);
            }
        }
    }
}

TEST_F(ViewText, ZoomChangesTheGlyphSizeByKeysAndWheel) {
    view.setPlainText(QStringLiteral("MMMM\t_gy\nx"));
    view.setFocus();
    const int normal = FirstLineInkHeight();
    const double tabs = view.tabStopDistance();
    struct Step {
        const char* name;
        std::function<void()> act;
        int points;
    };
    const int d = editorfont::kDefaultPointSize;
    auto wheel = [this](int delta) {
        QWheelEvent e(QPointF(50, 20), view.viewport()->mapToGlobal(QPointF(50, 20)), QPoint(),
                      QPoint(0, delta), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase,
                      false);
        QApplication::sendEvent(view.viewport(), &e);
    };
    const Step steps[] = {
        {"Ctrl++", [this] { QTest::keyClick(&view, Qt::Key_Plus, Qt::ControlModifier); }, d + 1},
        {"Ctrl+=", [this] { QTest::keyClick(&view, Qt::Key_Equal, Qt::ControlModifier); }, d + 2},
        {"Ctrl+0", [this] { QTest::keyClick(&view, Qt::Key_0, Qt::ControlModifier); }, d},
        {"Ctrl+-", [this] { QTest::keyClick(&view, Qt::Key_Minus, Qt::ControlModifier); }, d - 1},
        {"wheel up", [&wheel] { wheel(2 * QWheelEvent::DefaultDeltasPerStep); }, d + 1},
        {"half a notch", [&wheel] { wheel(QWheelEvent::DefaultDeltasPerStep / 2); }, d + 1},
        {"the other half", [&wheel] { wheel(QWheelEvent::DefaultDeltasPerStep / 2); }, d + 2},
        {"wheel down", [&wheel] { wheel(-QWheelEvent::DefaultDeltasPerStep); }, d + 1},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.act();
        QApplication::processEvents();
        EXPECT_EQ(view.FontPointSize(), step.points);
        const int height = FirstLineInkHeight();
        if (step.points > d) {
            EXPECT_GT(height, normal);
        } else if (step.points < d) {
            EXPECT_LT(height, normal);
        } else {
            EXPECT_EQ(height, normal);
        }
        EXPECT_EQ(view.tabStopDistance(), tabs);
        EXPECT_EQ(view.toPlainText(), QStringLiteral("MMMM\t_gy\nx"));  // nothing typed
    }
    view.SetFontPointSize(1000);
    EXPECT_EQ(view.FontPointSize(), editorfont::kMaxPointSize);
}

TEST_F(ViewText, SelectionBarSelectsWholeLines) {
    view.setPlainText(QStringLiteral("first line\nsecond\nthird"));
    const int bar = CQuillView::kSelectionBarWidth / 2;
    const auto lineY = [this](int line) { return LineTop(line) + 3; };

    // The pointer turns into the bar's arrow there, an I-beam over text.
    Mouse(QEvent::MouseMove, QPoint(bar, lineY(0)), Qt::NoButton);
    EXPECT_EQ(view.viewport()->cursor().shape(), Qt::BitmapCursor);
    Mouse(QEvent::MouseMove, QPoint(60, lineY(0)), Qt::NoButton);
    EXPECT_EQ(view.viewport()->cursor().shape(), Qt::IBeamCursor);
    // The text starts right of the bar, moved by no more than the bar.
    EXPECT_GE(CharRect(0).left(), CQuillView::kSelectionBarWidth - 1);
    EXPECT_LE(CharRect(0).left(), CQuillView::kSelectionBarWidth + 1);

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

TEST_F(ViewText, DragAcrossAWordBoundarySelectsWholeWords) {
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
