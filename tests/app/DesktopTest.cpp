// The editor at home on a desktop: the caret's place in the status bar, the
// text size kept across starts, Qt's own texts in Japanese.
#include "support/QuillTest.h"

#include <QSettings>
#include <QStatusBar>

#include "view/EditorFont.h"

namespace {

using DesktopTest = AppFixture;

// Rows of the view with ink (white text on black).
int InkHeight(CQuillView* view) {
    const QImage image = view->viewport()->grab().toImage();
    int rows = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) > 60) {
                ++rows;
                break;
            }
        }
    }
    return rows;
}

}  // namespace

TEST_F(DesktopTest, CaretPaneShowsLineAndColumnLeftOfTheIndicators) {
    ASSERT_TRUE(Start());
    Frame()->resize(700, 400);
    QLabel* pane = Frame()->CaretPane();
    ASSERT_TRUE(pane);
    QApplication::processEvents();
    EXPECT_EQ(pane->text(), QStringLiteral("1 行, 1 桁"));
    auto* message = Frame()->StatusBar()->findChild<QLabel*>(QStringLiteral("messagePane"));
    EXPECT_GT(pane->geometry().left(), message->geometry().right());
    EXPECT_LT(pane->geometry().right(), Frame()->IndicatorPanes().first()->geometry().left());

    View()->setPlainText("first\n\tsecond\nthird");
    View()->setFocus();
    QTest::keyClicks(View(), "ab");
    EXPECT_EQ(pane->text(), QStringLiteral("1 行, 3 桁"));
    // A click on line 2 before "second" (after its tab).
    QTextCursor c(View()->document()->findBlockByNumber(1));
    c.setPosition(c.position() + 1);
    QTest::mouseClick(View()->viewport(), Qt::LeftButton, {},
                      View()->cursorRect(c).center() + QPoint(1, 0));
    EXPECT_EQ(pane->text(), QStringLiteral("2 行, 2 桁"));
    Frame()->DispatchCommand(cmd::ID_CURSOR_TOP);
    EXPECT_EQ(pane->text(), QStringLiteral("1 行, 1 桁"));
    Frame()->DispatchCommand(cmd::ID_CURSOR_END);  // the start of the last line
    EXPECT_EQ(pane->text(), QStringLiteral("3 行, 1 桁"));
    View()->JumpToPosition(10, 10);  // "abfirst\n" is 8 positions
    EXPECT_EQ(pane->text(), QStringLiteral("2 行, 3 桁"));
}

TEST_F(DesktopTest, TextSizeIsKeptInItsOwnSectionAcrossStarts) {
    ASSERT_TRUE(Start());
    View()->setPlainText("MMMM _gy");
    EXPECT_EQ(View()->FontPointSize(), editorfont::kDefaultPointSize);
    const int normal = InkHeight(View());
    View()->setFocus();
    QTest::keyClick(View(), Qt::Key_Plus, Qt::ControlModifier);
    QTest::keyClick(View(), Qt::Key_Plus, Qt::ControlModifier);
    const int zoomed = InkHeight(View());
    EXPECT_GT(zoomed, normal);
    m_app.reset();

    QSettings store(settings::StoreFilePath(), QSettings::IniFormat);
    EXPECT_EQ(store.value("View/FontSize").toInt(), editorfont::kDefaultPointSize + 2);
    EXPECT_FALSE(store.contains("Settings/FontSize"));  // [Settings] stays as it is

    ASSERT_TRUE(Start());
    View()->setPlainText("MMMM _gy");
    EXPECT_EQ(View()->FontPointSize(), editorfont::kDefaultPointSize + 2);
    EXPECT_EQ(InkHeight(View()), zoomed);
}
