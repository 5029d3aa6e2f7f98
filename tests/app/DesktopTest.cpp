// The editor at home on a desktop: the caret's place in the status bar, the
// text size kept across starts, Qt's own texts in Japanese.
#include "support/QuillTest.h"

#include <QSettings>
#include <QStatusBar>

#include "app/CMainFrame.h"
#include "app/CQuillApp.h"
#include "app/SettingsStore.h"
#include "res/CommandIds.h"
#include "support/AppFixture.h"
#include "view/CQuillView.h"
#include "view/CViewFont.h"
#include "view/EditorFont.h"

namespace {

using DesktopTest = AppFixture;

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
    EXPECT_EQ(View()->Font().PointSize(), editorfont::kDefaultPointSize);
    View()->setFocus();
    QTest::keyClick(View(), Qt::Key_Plus, Qt::ControlModifier);
    QTest::keyClick(View(), Qt::Key_Plus, Qt::ControlModifier);
    m_app.reset();

    QSettings store(testutil::SettingsFile(), QSettings::IniFormat);
    EXPECT_EQ(store.value("View/FontSize").toInt(), editorfont::kDefaultPointSize + 2);
    EXPECT_FALSE(store.contains("Settings/FontSize"));  // [Settings] stays as it is

    ASSERT_TRUE(Start());
    EXPECT_EQ(View()->Font().PointSize(), editorfont::kDefaultPointSize + 2);
    EXPECT_EQ(View()->font().pointSize(), editorfont::kDefaultPointSize + 2);
}
