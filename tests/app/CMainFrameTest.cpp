// The main window as a whole: the built menus, tool bar and status bar
// against the tables; every accelerator reaching its command with the text
// widget focused; the run-option toggles; the placement round trip; the
// recent-file list; the view's context menu.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <vector>

#include "app/CLockKeyState.h"
#include "app/CMainFrame.h"
#include "app/CQuillApp.h"
#include "app/SettingsStore.h"
#include "doc/CQuillDoc.h"
#include "res/CMenuBuilder.h"
#include "res/CommandIds.h"
#include "res/CommandTable.h"
#include "support/AppFixture.h"
#include "support/TestUtil.h"
#include "view/CQuillView.h"

namespace {

class MainFrameTest : public AppFixture {
protected:
    // Starts the editor, shows and activates the window, focuses the view.
    void StartActive() {
        ASSERT_TRUE(Start());
        Frame()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
        View()->setFocus();
        QApplication::processEvents();
        ASSERT_TRUE(View()->hasFocus());
    }

    // Records every dispatched command; `swallow` keeps it from its handler.
    void Record(bool swallow) {
        Frame()->SetCommandHookForTesting([this, swallow](int id) {
            m_dispatched.push_back(id);
            return swallow;
        });
    }

    void SetText(const QString& text, int selStart, int selEnd) {
        View()->setPlainText(text);
        View()->Ctrl().SetSel(selStart, selEnd);
    }

    std::pair<int, int> Sel() const {
        int s = 0;
        int e = 0;
        View()->Ctrl().GetSel(&s, &e);
        return {s, e};
    }

    std::vector<int> m_dispatched;
};

// Runs `act` on the first popup menu that opens (the view's context menu).
void WhenPopup(std::function<void(QMenu*)> act) {
    auto* timer = new QTimer;
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, clock, act]() {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            timer->stop();
            timer->deleteLater();
            act(menu);
        } else if (clock->elapsed() > 5000) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
}

TEST_F(MainFrameTest, MenusToolBarAndStatusBarFollowTheTables) {
    ASSERT_TRUE(Start());
    EXPECT_EQ(Frame()->windowTitle(), QStringLiteral("無題 - QUILL"));

    const QList<QAction*> menus = Frame()->menuBar()->actions();
    const auto menuDefs = res::MainMenu();
    ASSERT_EQ(menus.size(), qsizetype(menuDefs.size()));
    for (size_t m = 0; m < menuDefs.size(); ++m) {
        EXPECT_EQ(menus[m]->text(), QString::fromUtf8(menuDefs[m].title));
        const QList<QAction*> items = menus[m]->menu()->actions();
        // The File menu also holds the (hidden) recent entries 2 to 4.
        QList<QAction*> shown;
        for (QAction* a : items) {
            if (a->isVisible()) {
                shown << a;
            }
        }
        ASSERT_EQ(shown.size(), qsizetype(menuDefs[m].items.size())) << m;
        for (size_t i = 0; i < menuDefs[m].items.size(); ++i) {
            const res::MenuItemDef& def = menuDefs[m].items[i];
            QAction* a = shown[i];
            if (def.id == res::kSeparator) {
                EXPECT_TRUE(a->isSeparator()) << m << "/" << i;
                continue;
            }
            EXPECT_EQ(CMenuBuilder::CommandOf(a), def.id);
            EXPECT_EQ(a->text(), res::MenuLabel(def.id));
            EXPECT_EQ(a->statusTip(), res::StatusPrompt(def.id));
            // Only the recent-file placeholder is grayed.
            EXPECT_EQ(a->isEnabled(), !(def.flags & res::kGrayed)) << def.id;
        }
    }

    // Every command's keys are window shortcuts of the frame.
    for (const res::CommandDef& def : res::Commands()) {
        QAction* a = Frame()->CommandAction(def.id);
        ASSERT_TRUE(a) << def.id;
        EXPECT_TRUE(Frame()->actions().contains(a));
        QList<QKeySequence> keys;
        for (const QKeyCombination& k : def.keys) {
            if (k != QKeyCombination()) {
                keys << QKeySequence(k);
            }
        }
        EXPECT_EQ(a->shortcuts(), keys) << def.id;
        EXPECT_EQ(a->toolTip(), res::ToolTip(def.id));
    }

    QToolBar* bar = Frame()->ToolBar();
    EXPECT_EQ(Frame()->toolBarArea(bar), Qt::TopToolBarArea);
    EXPECT_EQ(bar->allowedAreas(), Qt::AllToolBarAreas);
    EXPECT_EQ(bar->iconSize(), QSize(16, 15));
    const QList<QAction*> buttons = bar->actions();
    const auto buttonDefs = res::ToolBarButtons();
    ASSERT_EQ(buttons.size(), qsizetype(buttonDefs.size()));
    for (size_t i = 0; i < buttonDefs.size(); ++i) {
        if (buttonDefs[i] == res::kSeparator) {
            EXPECT_TRUE(buttons[i]->isSeparator()) << i;
        } else {
            EXPECT_EQ(CMenuBuilder::CommandOf(buttons[i]), buttonDefs[i]);
            EXPECT_FALSE(buttons[i]->icon().isNull());
        }
    }

    // Message pane first, then the indicators in order, blank while off (the
    // offscreen platform has no lock keys).
    QStatusBar* status = Frame()->StatusBar();
    auto* message = status->findChild<QLabel*>(QStringLiteral("messagePane"));
    ASSERT_TRUE(message);
    EXPECT_EQ(message->text(), QStringLiteral("ﾚﾃﾞｨ"));
    const QList<QLabel*>& panes = Frame()->IndicatorPanes();
    const auto paneDefs = res::StatusPanes();
    ASSERT_EQ(panes.size() + 1, qsizetype(paneDefs.size()));
    QApplication::processEvents();
    int lastX = message->geometry().right();
    for (qsizetype i = 0; i < panes.size(); ++i) {
        EXPECT_EQ(panes[i]->property("paneText").toString(),
                  QString::fromUtf8(paneDefs[i + 1].text));
        if (!CLockKeyState::Available()) {
            EXPECT_TRUE(panes[i]->text().isEmpty());
        }
        EXPECT_GT(panes[i]->geometry().left(), lastX) << i;
        lastX = panes[i]->geometry().right();
    }
    CMenuBuilder::SetIndicator(panes[1], true);
    EXPECT_EQ(panes[1]->text(), QStringLiteral("CAP"));
}

TEST_F(MainFrameTest, PromptsShowInTheMessagePaneWhilePointedAt) {
    StartActive();
    // Wide enough for every button to be on the bar itself.
    Frame()->resize(900, 400);
    QApplication::processEvents();
    QStatusBar* status = Frame()->StatusBar();
    auto* button = qobject_cast<QToolButton*>(
        Frame()->ToolBar()->widgetForAction(Frame()->CommandAction(cmd::ID_HSP_RUN)));
    ASSERT_TRUE(button);
    EXPECT_EQ(button->toolTip(), QStringLiteral("スクリプト実行"));
    QTest::mouseMove(button);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return status->currentMessage() == QStringLiteral("現在のスクリプトを実行"); }));
    QTest::mouseMove(View()->viewport());
    EXPECT_TRUE(QTest::qWaitFor([&] { return status->currentMessage().isEmpty(); }));
    EXPECT_TRUE(status->findChild<QLabel*>(QStringLiteral("messagePane"))->isVisible());

    // A menu item shows its prompt the same way.
    Frame()->CommandAction(cmd::ID_CURSOR_TOP)->showStatusText(Frame()->menuBar());
    EXPECT_EQ(status->currentMessage(), QStringLiteral("先頭行へｶｰｿﾙを移動"));
}

TEST_F(MainFrameTest, EveryAcceleratorSendsItsCommandWhileTheTextHasFocus) {
    StartActive();
    Record(/*swallow=*/true);
    SetText(QStringLiteral("abc\ndef"), 1, 2);
    for (const res::CommandDef& def : res::Commands()) {
        for (const QKeyCombination& key : def.keys) {
            if (key == QKeyCombination()) {
                continue;
            }
            m_dispatched.clear();
            QTest::keyClick(View(), key.key(), key.keyboardModifiers());
            EXPECT_EQ(m_dispatched, std::vector<int>{def.id})
                << QKeySequence(key).toString().toStdString();
            EXPECT_TRUE(View()->hasFocus());
        }
    }
    // The text widget did nothing with any of them.
    EXPECT_EQ(View()->toPlainText(), QStringLiteral("abc\ndef"));
    EXPECT_EQ(Sel(), std::make_pair(1, 2));

    // Ordinary keys stay with the text widget.
    m_dispatched.clear();
    QTest::keyClick(View(), Qt::Key_End);
    QTest::keyClick(View(), Qt::Key_X);
    QTest::keyClick(View(), Qt::Key_Escape);
    EXPECT_EQ(View()->toPlainText(), QStringLiteral("abcx\ndef"));
    EXPECT_EQ(m_dispatched, std::vector<int>{cmd::ID_CANCEL_EDIT_CNTR});
}

TEST_F(MainFrameTest, ClipboardKeysReachTheViewHandlersOnce) {
    StartActive();
    Record(/*swallow=*/false);
    QClipboard* clip = QApplication::clipboard();

    for (const QKeyCombination cut : {Qt::CTRL | Qt::Key_X, Qt::SHIFT | Qt::Key_Delete}) {
        SetText(QStringLiteral("one two"), 0, 4);
        m_dispatched.clear();
        QTest::keyClick(View(), cut.key(), cut.keyboardModifiers());
        EXPECT_EQ(m_dispatched, std::vector<int>{cmd::ID_EDIT_CUT});
        EXPECT_EQ(View()->toPlainText(), QStringLiteral("two"));
        EXPECT_EQ(clip->text(), QStringLiteral("one "));
    }
    for (const QKeyCombination copy : {Qt::CTRL | Qt::Key_C, Qt::CTRL | Qt::Key_Insert}) {
        clip->setText(QStringLiteral("-"));
        SetText(QStringLiteral("one two"), 4, 7);
        QTest::keyClick(View(), copy.key(), copy.keyboardModifiers());
        EXPECT_EQ(clip->text(), QStringLiteral("two"));
    }
    for (const QKeyCombination paste : {Qt::CTRL | Qt::Key_V, Qt::SHIFT | Qt::Key_Insert}) {
        clip->setText(QStringLiteral("XY"));
        SetText(QStringLiteral("one two"), 3, 3);
        m_dispatched.clear();
        QTest::keyClick(View(), paste.key(), paste.keyboardModifiers());
        EXPECT_EQ(m_dispatched, std::vector<int>{cmd::ID_EDIT_PASTE});
        // Pasted once, not once by the action and again by the widget.
        EXPECT_EQ(View()->toPlainText(), QStringLiteral("oneXY two"));
    }
    SetText(QStringLiteral("one two"), 0, 0);
    QTest::keyClick(View(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(Sel(), std::make_pair(0, 7));
}

TEST_F(MainFrameTest, UndoKeysAndItemsChangeNothing) {
    StartActive();
    Record(/*swallow=*/false);
    SetText(QStringLiteral("abc"), 0, 0);
    QTest::keyClicks(View(), "xy");
    QTest::keyClick(View(), Qt::Key_Backspace);
    View()->Ctrl().SetSel(1, 2);
    const QString before = View()->toPlainText();
    ASSERT_EQ(before, QStringLiteral("xabc"));
    QTest::keyClick(View(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(View(), Qt::Key_Backspace, Qt::AltModifier);
    Frame()->CommandAction(cmd::ID_EDIT_UNDO)->trigger();
    EXPECT_EQ(m_dispatched, std::vector<int>(3, cmd::ID_EDIT_UNDO));
    EXPECT_EQ(View()->toPlainText(), before);
    EXPECT_EQ(Sel(), std::make_pair(1, 2));
}

TEST_F(MainFrameTest, RunOptionTogglesFlipOnlyTheirBitAndPersistAtOnce) {
    settings::WriteInt(settings::kExeStat, 7);
    ASSERT_TRUE(Start());
    QAction* full = Frame()->CommandAction(cmd::ID_HSP_FULLSCREEN);
    QAction* debug = Frame()->CommandAction(cmd::ID_HSP_DEBUGWIN);
    EXPECT_TRUE(full->isChecked());
    EXPECT_TRUE(debug->isChecked());

    const struct {
        QAction* action;
        int expected;
        bool fullChecked;
        bool debugChecked;
    } steps[] = {
        {full, 6, false, true},  {debug, 4, false, false}, {full, 5, true, false},
        {full, 4, false, false}, {debug, 6, false, true},  {full, 7, true, true},
    };
    for (const auto& step : steps) {
        step.action->trigger();  // as the menu item does
        EXPECT_EQ(App()->m_exestat, step.expected);
        EXPECT_EQ(settings::GetInt(settings::kExeStat, -1), step.expected);
        EXPECT_EQ(full->isChecked(), step.fullChecked);
        EXPECT_EQ(debug->isChecked(), step.debugChecked);
    }
}

TEST_F(MainFrameTest, StoredThreeChecksBothAndFullScreenStoresTwo) {
    settings::WriteInt(settings::kExeStat, 3);
    ASSERT_TRUE(Start());
    EXPECT_TRUE(Frame()->CommandAction(cmd::ID_HSP_FULLSCREEN)->isChecked());
    Frame()->DispatchCommand(cmd::ID_HSP_FULLSCREEN);
    EXPECT_FALSE(Frame()->CommandAction(cmd::ID_HSP_FULLSCREEN)->isChecked());
    EXPECT_TRUE(Frame()->CommandAction(cmd::ID_HSP_DEBUGWIN)->isChecked());
    EXPECT_EQ(settings::GetInt(settings::kExeStat, -1), 2);
}

TEST_F(MainFrameTest, FirstStartIsAtTheOriginAt400By300Unchecked) {
    ASSERT_TRUE(Start());
    EXPECT_EQ(Frame()->pos(), QPoint(0, 0));
    EXPECT_EQ(Frame()->size(), QSize(400, 300));
    EXPECT_FALSE(Frame()->isMaximized());
    EXPECT_FALSE(Frame()->CommandAction(cmd::ID_HSP_FULLSCREEN)->isChecked());
    EXPECT_FALSE(Frame()->CommandAction(cmd::ID_HSP_DEBUGWIN)->isChecked());
    Frame()->close();
    EXPECT_EQ(settings::GetInt(settings::kMode, -1), 2);
    EXPECT_EQ(settings::GetInt(settings::kLeft, -1), 0);
    EXPECT_EQ(settings::GetInt(settings::kTop, -1), 0);
    EXPECT_EQ(settings::GetInt(settings::kRight, -1), 400);
    EXPECT_EQ(settings::GetInt(settings::kBottom, -1), 300);
}

TEST_F(MainFrameTest, NormalPlacementRoundTrips) {
    ASSERT_TRUE(Start());
    Frame()->move(37, 52);
    Frame()->resize(611, 433);
    QApplication::processEvents();
    Frame()->close();
    EXPECT_EQ(settings::GetInt(settings::kMode, -1), 2);
    EXPECT_EQ(settings::GetInt(settings::kLeft, -1), 37);
    EXPECT_EQ(settings::GetInt(settings::kTop, -1), 52);
    EXPECT_EQ(settings::GetInt(settings::kRight, -1), 37 + 611);
    EXPECT_EQ(settings::GetInt(settings::kBottom, -1), 52 + 433);

    // Twice: the stored rectangle gives the same window again.
    for (int round = 0; round < 2; ++round) {
        m_app.reset();
        ASSERT_TRUE(Start());
        QApplication::processEvents();
        EXPECT_EQ(Frame()->pos(), QPoint(37, 52));
        EXPECT_EQ(Frame()->size(), QSize(611, 433));
        Frame()->close();
        EXPECT_EQ(settings::GetInt(settings::kRight, -1), 37 + 611);
    }
}

TEST_F(MainFrameTest, MaximizedStoresOnlyTheModeAndStartsMaximized) {
    settings::WriteInt(settings::kLeft, 11);
    settings::WriteInt(settings::kTop, 12);
    settings::WriteInt(settings::kRight, 511);
    settings::WriteInt(settings::kBottom, 412);
    ASSERT_TRUE(Start());
    EXPECT_EQ(Frame()->pos(), QPoint(11, 12));
    Frame()->showMaximized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Frame()->isMaximized(); }));
    Frame()->close();
    EXPECT_EQ(settings::GetInt(settings::kMode, -1), 1);
    EXPECT_EQ(settings::GetInt(settings::kLeft, -1), 11);
    EXPECT_EQ(settings::GetInt(settings::kRight, -1), 511);

    // The next start comes up maximized, and the rectangle is not read.
    m_app.reset();
    m_app = std::make_unique<CQuillApp>();
    ASSERT_TRUE(m_app->InitInstance({}, true));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Frame()->isMaximized(); }));
    EXPECT_NE(Frame()->normalGeometry().size(), QSize(500, 400));
}

TEST_F(MainFrameTest, MinimizedStoresTheRestoredRectangle) {
    ASSERT_TRUE(Start());
    Frame()->move(20, 30);
    Frame()->resize(450, 320);
    QApplication::processEvents();
    Frame()->showMinimized();
    QApplication::processEvents();
    Frame()->close();
    EXPECT_EQ(settings::GetInt(settings::kMode, -1), 2);
    EXPECT_EQ(settings::GetInt(settings::kLeft, -1), 20);
    EXPECT_EQ(settings::GetInt(settings::kTop, -1), 30);
    EXPECT_EQ(settings::GetInt(settings::kRight, -1), 470);
    EXPECT_EQ(settings::GetInt(settings::kBottom, -1), 350);
}

TEST_F(MainFrameTest, BarTogglesHideAndShowWithCheckMarks) {
    ASSERT_TRUE(Start());
    const struct {
        int id;
        QWidget* bar;
    } toggles[] = {{cmd::ID_VIEW_TOOLBAR, Frame()->ToolBar()},
                   {cmd::ID_VIEW_STATUS_BAR, Frame()->StatusBar()}};
    for (const auto& t : toggles) {
        QAction* a = Frame()->CommandAction(t.id);
        EXPECT_TRUE(a->isChecked());
        a->trigger();
        EXPECT_FALSE(a->isChecked());
        EXPECT_FALSE(t.bar->isVisible());
        a->trigger();
        EXPECT_TRUE(a->isChecked());
        EXPECT_TRUE(t.bar->isVisible());
    }
}

TEST_F(MainFrameTest, ExitClosesTheWindowAndStoresItsPlacement) {
    ASSERT_TRUE(Start());
    Frame()->move(5, 6);
    Frame()->CommandAction(cmd::ID_APP_EXIT)->trigger();
    EXPECT_FALSE(Frame()->isVisible());
    EXPECT_EQ(settings::GetInt(settings::kLeft, -1), 5);
    EXPECT_EQ(settings::GetInt(settings::kBottom, -1), 306);
}

TEST_F(MainFrameTest, RecentFilesReplaceThePlaceholderAndOpen) {
    QTemporaryDir dir;
    const QString a = testutil::WriteFile(dir, "a.as", "mes \"a\"\r\n");
    const QString b = testutil::WriteFile(dir, "b&c.as", "mes \"b\"\r\n");
    ASSERT_TRUE(Start());
    QAction* first = Frame()->CommandAction(cmd::ID_FILE_MRU_FILE1);
    EXPECT_FALSE(first->isEnabled());
    EXPECT_EQ(first->text(), QStringLiteral("最近使ったﾌｧｲﾙ"));

    ASSERT_TRUE(App()->OpenDocumentFile(a));
    ASSERT_TRUE(App()->OpenDocumentFile(b));
    EXPECT_EQ(Frame()->windowTitle(), QStringLiteral("b&c.as - QUILL"));
    EXPECT_EQ(settings::RecentFiles(), QStringList({b, a}));
    EXPECT_TRUE(first->isEnabled());
    EXPECT_TRUE(first->text().startsWith("&1 "));
    EXPECT_TRUE(Frame()->CommandAction(cmd::ID_FILE_MRU_FILE2)->isVisible());
    EXPECT_FALSE(Frame()->CommandAction(cmd::ID_FILE_MRU_FILE3)->isVisible());

    // Choosing entry 2 opens it, and it moves to the top.
    Frame()->CommandAction(cmd::ID_FILE_MRU_FILE2)->trigger();
    EXPECT_EQ(Doc()->GetPathName(), a);
    EXPECT_EQ(settings::RecentFiles(), QStringList({a, b}));

    // A file that has gone is reported and leaves the list.
    QFile::remove(b);
    bool reported = false;
    testutil::WhenModal([&reported](QWidget* box) {
        reported = true;
        qobject_cast<QMessageBox*>(box)->accept();
    });
    Frame()->CommandAction(cmd::ID_FILE_MRU_FILE2)->trigger();
    EXPECT_TRUE(reported);
    EXPECT_EQ(settings::RecentFiles(), QStringList({a}));
    EXPECT_FALSE(Frame()->CommandAction(cmd::ID_FILE_MRU_FILE2)->isVisible());
}

TEST_F(MainFrameTest, ContextMenuOnRightButtonReleaseRoutesTheChoice) {
    StartActive();
    Record(/*swallow=*/false);
    SetText(QStringLiteral("one two"), 2, 2);
    const QPoint at = View()->cursorRect().center();

    // Qt's standard menu never shows, on press or on a context-menu event.
    QTest::mousePress(View()->viewport(), Qt::RightButton, {}, at);
    QContextMenuEvent ev(QContextMenuEvent::Mouse, at, View()->viewport()->mapToGlobal(at));
    QApplication::sendEvent(View()->viewport(), &ev);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);

    QStringList labels;
    WhenPopup([&labels](QMenu* menu) {
        QAction* pick = nullptr;
        for (QAction* a : menu->actions()) {
            labels << (a->isSeparator() ? QStringLiteral("-") : a->text());
            EXPECT_TRUE(a->isEnabled());
            EXPECT_FALSE(a->isChecked());
            if (CMenuBuilder::CommandOf(a) == cmd::ID_EDIT_SELECT_ALL) {
                pick = a;
            }
        }
        menu->setActiveAction(pick);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    QTest::mouseRelease(View()->viewport(), Qt::RightButton, {}, at);
    EXPECT_EQ(labels, QStringList({"元に戻す(&U)", "-", "切り取り(&T)", "コピー(&C)",
                                   "貼り付け(&P)", "消去(&L)", "-", "すべて選択(&A)"}));
    EXPECT_EQ(m_dispatched, std::vector<int>{cmd::ID_EDIT_SELECT_ALL});
    EXPECT_EQ(Sel(), std::make_pair(0, 7));

    // Dismissing the menu sends nothing.
    m_dispatched.clear();
    WhenPopup([](QMenu* menu) { menu->close(); });
    QTest::mouseRelease(View()->viewport(), Qt::RightButton, {}, at);
    EXPECT_TRUE(m_dispatched.empty());
}

}  // namespace

namespace {

// A view outside a frame handles table keys and its context menu itself.
TEST_F(MainFrameTest, ViewWithoutFrameRoutesKeysAndMenuToItself) {
    ASSERT_TRUE(Start({}, /*show=*/false));
    CQuillView view;
    view.show();
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    view.setPlainText(QStringLiteral("one two"));
    view.Ctrl().SetSel(3, 3);
    QApplication::clipboard()->setText(QStringLiteral("XY"));
    QTest::keyClick(&view, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(view.toPlainText(), QStringLiteral("oneXY two"));

    WhenPopup([](QMenu* menu) {
        for (QAction* a : menu->actions()) {
            if (CMenuBuilder::CommandOf(a) == cmd::ID_EDIT_SELECT_ALL) {
                menu->setActiveAction(a);
            }
        }
        QTest::keyClick(menu, Qt::Key_Return);
    });
    QTest::mouseRelease(view.viewport(), Qt::RightButton, {}, QPoint(5, 5));
    int s = -1;
    int e = -1;
    view.Ctrl().GetSel(&s, &e);
    EXPECT_EQ(std::make_pair(s, e), std::make_pair(0, 9));
}

}  // namespace
