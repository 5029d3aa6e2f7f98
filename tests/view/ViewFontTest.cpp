// The editor's text on screen: every glyph whole inside its own line at any
// face and size, and zooming it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QWheelEvent>

#include "view/CLineNumberGutter.h"
#include "view/CQuillView.h"
#include "view/CViewFont.h"
#include "view/EditorFont.h"
#include "view/KeywordColors.h"

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

class ViewFont : public ::testing::Test {
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

    CQuillView view;
};

}  // namespace

TEST_F(ViewFont, EveryGlyphStaysInsideItsOwnLineAtEveryFaceAndSize) {
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
            view.Font().SetFace(face);
            view.Font().SetPointSize(points);
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

TEST_F(ViewFont, ZoomChangesTheGlyphSizeByKeysAndWheel) {
    view.setPlainText(QStringLiteral("MMMM\t_gy\nx"));
    view.setFocus();
    const int normal = FirstLineInkHeight();
    // Half an inch at the default size; tab stops scale with the text.
    const double tabs = view.logicalDpiX() / 2.0;
    EXPECT_EQ(view.tabStopDistance(), tabs);
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
        EXPECT_EQ(view.Font().PointSize(), step.points);
        const int height = FirstLineInkHeight();
        if (step.points > d) {
            EXPECT_GT(height, normal);
        } else if (step.points < d) {
            EXPECT_LT(height, normal);
        } else {
            EXPECT_EQ(height, normal);
        }
        EXPECT_DOUBLE_EQ(view.tabStopDistance(), tabs * step.points / d);
        EXPECT_EQ(view.toPlainText(), QStringLiteral("MMMM\t_gy\nx"));  // nothing typed
    }
    view.Font().SetPointSize(1000);
    EXPECT_EQ(view.Font().PointSize(), editorfont::kMaxPointSize);
}

TEST_F(ViewFont, AltWithALetterTypesNothingButAltGrTypesItsCharacter) {
    // AltGr arrives without Alt, as a group switch, or as Ctrl+Alt.
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        const char* text;
        const char* typed;
    } keys[] = {
        {Qt::Key_Q, Qt::AltModifier, "q", ""},
        {Qt::Key_X, Qt::AltModifier | Qt::ShiftModifier, "X", ""},
        {Qt::Key_Space, Qt::AltModifier, " ", ""},
        {Qt::Key_At, Qt::GroupSwitchModifier, "@", "@"},
        {Qt::Key_At, Qt::ControlModifier | Qt::AltModifier, "@", "@"},
        {Qt::Key_Z, Qt::NoModifier, "z", "z"},
    };
    for (const auto& k : keys) {
        SCOPED_TRACE(k.text);
        view.clear();
        QTest::sendKeyEvent(QTest::Click, &view, k.key, QString::fromLatin1(k.text), k.mods);
        EXPECT_EQ(view.toPlainText(), QString::fromLatin1(k.typed));
    }
}

TEST_F(ViewFont, GoingToTheEndShowsTheLastLineWholeTheFirstTimeToo) {
    // A script opened before the window shows, with one line wider than
    // the window some way above the end: the first jump to the end lays
    // it out, and the horizontal scroll bar it brings takes room from the
    // text.
    view.resize(400, 230);
    const QString text = QStringLiteral("short\n").repeated(300) + QString(400, u'w') +
                         QStringLiteral("\nshort").repeated(15);
    for (const bool key : {true, false}) {
        SCOPED_TRACE(key ? "Ctrl+End" : "end of text");
        view.hide();
        view.setPlainText(text);
        view.show();
        QApplication::processEvents();
        ASSERT_FALSE(view.horizontalScrollBar()->isVisible());
        if (key) {
            QTest::keyClick(&view, Qt::Key_End, Qt::ControlModifier);
        } else {
            view.OnCursorEnd();
        }
        QApplication::processEvents();
        EXPECT_TRUE(view.horizontalScrollBar()->isVisible());
        EXPECT_LE(view.cursorRect().bottom(), view.viewport()->height());
    }
}

TEST_F(ViewFont, LineNumbersStandLeftOfTheTextFollowScrollAndSelectLines) {
    view.setPlainText(QStringLiteral("first line\nsecond\nthird\n").repeated(40));
    CLineNumberGutter& gutter = view.LineNumbers();
    const int textLeft = CharRect(0).left();

    // Shown: the text area moves right by the strip, which stands beside it.
    gutter.SetShown(true);
    const int width = gutter.width();
    EXPECT_EQ(view.viewport()->x(), view.frameWidth() + width);
    EXPECT_EQ(gutter.geometry().right() + 1, view.viewport()->x());
    EXPECT_EQ(CharRect(0).left(), textLeft);

    // Every line's number in the line's band, the caret's line brighter.
    view.setTextCursor(QTextCursor(view.document()->findBlockByNumber(1)));
    const QImage image = gutter.grab().toImage();
    const auto brightest = [&](int line) {
        int gray = 0;
        for (int y = LineTop(line); y < LineTop(line + 1); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                gray = std::max(gray, qGray(image.pixel(x, y)));
            }
        }
        return gray;
    };
    for (const int line : {0, 2, 3}) {
        EXPECT_GT(brightest(line), qGray(CLineNumberGutter::kBackground.rgb()) + 40);
        EXPECT_GT(brightest(1), brightest(line) + 40);
    }

    // What a scroll leaves on screen is what a whole repaint draws.
    for (const int step : {3, 1, 9, -5, 20}) {
        view.verticalScrollBar()->setValue(view.verticalScrollBar()->value() + step);
        QApplication::processEvents();
        const QImage shown = view.screen()->grabWindow(view.winId()).toImage();
        EXPECT_EQ(shown.copy(gutter.geometry()).convertToFormat(QImage::Format_RGB32),
                  gutter.grab().toImage().convertToFormat(QImage::Format_RGB32))
            << step;
    }

    // Wider with the text size and with a fourth digit.
    view.Font().ZoomIn();
    EXPECT_GT(gutter.width(), width);
    view.Font().ZoomReset();
    EXPECT_EQ(gutter.width(), width);
    view.setPlainText(QStringLiteral("x\n").repeated(999));
    EXPECT_GT(gutter.width(), width);

    // A click selects the line, a drag whole lines.
    view.setPlainText(QStringLiteral("first line\nsecond\nthird"));
    const auto press = [&](QEvent::Type type, int line, Qt::MouseButtons buttons) {
        const QPoint at(width / 2, LineTop(line) + 3);
        QMouseEvent event(type, at, gutter.mapToGlobal(at),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(&gutter, &event);
    };
    press(QEvent::MouseButtonPress, 1, Qt::LeftButton);
    press(QEvent::MouseMove, 0, Qt::LeftButton);
    EXPECT_EQ(view.textCursor().selectedText(), QStringLiteral("first line\u2029second\u2029"));

    gutter.SetShown(false);
    EXPECT_EQ(view.viewport()->x(), view.frameWidth());
}
