// The editor at home on a desktop: the caret's place in the status bar, the
// text size kept across starts, Qt's own texts in Japanese.
#include "support/QuillTest.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLibraryInfo>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QSettings>
#include <QStatusBar>
#include <QTabWidget>

#include "app/CMainFrame.h"
#include "app/CQuillApp.h"
#include "app/SettingsStore.h"
#include "res/CommandIds.h"
#include "support/AppFixture.h"
#include "view/CLineNumberGutter.h"
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

TEST_F(DesktopTest, QtStandardTextsAreJapanese) {
    const QString catalog =
        QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_ja.qm");
    if (!QFile::exists(catalog)) {
        GTEST_SKIP() << "qt6-translations-l10n is not installed";
    }
    ASSERT_TRUE(Start());
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("アドレス:"));

    // No English word is left in the texts of Qt's dialogs (paper names
    // aside, and the names of formats).
    const QRegularExpression english("[A-Za-z]{3,}");
    const QStringList kept = {"PDF"};
    QPrinter printer;
    QPrintDialog print(&printer);
    QPrintPreviewDialog preview(&printer);
    for (QWidget* dialog : std::initializer_list<QWidget*>{&print, &preview}) {
        dialog->show();
        for (QWidget* w : dialog->findChildren<QWidget*>()) {
            QStringList texts = {w->toolTip()};
            if (auto* b = qobject_cast<QAbstractButton*>(w)) {
                texts << b->text();
            } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
                texts << g->title();
            } else if (auto* t = qobject_cast<QTabWidget*>(w)) {
                texts << t->tabText(1);
            }
            for (const auto& word : english.globalMatch(texts.join(' '))) {
                EXPECT_TRUE(kept.contains(word.captured())) << texts.join(' ').toStdString();
            }
        }
        dialog->hide();
    }
}

TEST_F(DesktopTest, LineNumbersAreOffAtFirstAndKeptInTheViewSection) {
    for (const bool shown : {false, true}) {
        ASSERT_TRUE(Start());
        QAction* item = Frame()->CommandAction(cmd::ID_VIEW_LINE_NUMBERS);
        EXPECT_EQ(item->isChecked(), shown);
        EXPECT_EQ(View()->LineNumbers().IsShown(), shown);
        item->trigger();
        EXPECT_NE(View()->LineNumbers().isVisible(), shown);
        m_app.reset();
        EXPECT_EQ(QSettings(testutil::SettingsFile(), QSettings::IniFormat)
                      .value("View/LineNumbers")
                      .toBool(),
                  !shown);
    }
}
