// The main window: accelerators reaching their commands with the text
// focused, run-option toggles, placement, recent files and the view's
// context menu.

#include "support/QuillTest.h"

#include <QMenu>

#include "res/CMenuBuilder.h"
#include "res/CommandTable.h"

namespace {

class MainFrameTest : public AppFixture {
protected:
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
        AppFixture::SetText(text);
        Select(selStart, selEnd);
    }
    void Key(QKeyCombination key) { QTest::keyClick(View(), key.key(), key.keyboardModifiers()); }
    // The stored placement: mode, then left, top, right, bottom.
    static std::vector<int> Stored() {
        std::vector<int> v;
        for (const char* key : {settings::kMode, settings::kLeft, settings::kTop, settings::kRight,
                                settings::kBottom}) {
            v.push_back(settings::GetInt(key, -1));
        }
        return v;
    }

    std::vector<int> m_dispatched;
};

// Runs `act` on the first popup menu that opens.
void WhenPopup(std::function<void(QMenu*)> act) {
    auto* timer = new QTimer;
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, clock, act]() {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu || clock->elapsed() > 5000) {
            timer->stop();
            timer->deleteLater();
        }
        if (menu) {
            act(menu);
        }
    });
    timer->start();
}

// Picks the Select All item of an open menu.
void ChooseSelectAll(QMenu* menu) {
    for (QAction* a : menu->actions()) {
        if (CMenuBuilder::CommandOf(a) == cmd::ID_EDIT_SELECT_ALL) {
            menu->setActiveAction(a);
        }
    }
    QTest::keyClick(menu, Qt::Key_Return);
}

TEST_F(MainFrameTest, EncodingSubmenuAndPaneFollowTheScript) {
    ASSERT_TRUE(Start());
    const int radios[] = {cmd::ID_FILE_ENCODING_SJIS, cmd::ID_FILE_ENCODING_UTF8,
                          cmd::ID_FILE_ENCODING_UTF8_BOM};
    QLabel* pane = Frame()->EncodingPane();
    auto shows = [&](const char* text, int checked) {
        EXPECT_EQ(pane->text(), QString::fromUtf8(text));
        for (const int id : radios) {
            EXPECT_EQ(Frame()->CommandAction(id)->isChecked(), id == checked) << id;
        }
    };
    shows("Shift_JIS", cmd::ID_FILE_ENCODING_SJIS);
    QApplication::processEvents();
    EXPECT_GT(pane->geometry().left(), Frame()->CaretPane()->geometry().right());

    QTemporaryDir dir;
    QString error;
    ASSERT_TRUE(Doc()->OnOpenDocument(testutil::WriteFile(dir, "u.as", "\xe3\x81\x82\n"), &error));
    shows("UTF-8", cmd::ID_FILE_ENCODING_UTF8);
    Frame()->CommandAction(cmd::ID_FILE_ENCODING_UTF8_BOM)->trigger();
    shows("UTF-8 BOM", cmd::ID_FILE_ENCODING_UTF8_BOM);
    EXPECT_TRUE(Doc()->IsModified());
}

TEST_F(MainFrameTest, EveryAcceleratorSendsItsCommandWhileTheTextHasFocus) {
    StartActive();
    Record(/*swallow=*/true);
    SetText(QStringLiteral("abc\ndef"), 1, 2);
    for (const res::CommandDef& def : res::Commands()) {
        for (const QKeyCombination& key : def.keys) {
            if (key != QKeyCombination()) {
                m_dispatched.clear();
                Key(key);
                EXPECT_EQ(m_dispatched, std::vector<int>{def.id})
                    << QKeySequence(key).toString().toStdString();
                EXPECT_TRUE(View()->hasFocus());
            }
        }
    }
    // The text widget did nothing with any of them; ordinary keys stay its own.
    EXPECT_EQ(View()->toPlainText(), QStringLiteral("abc\ndef"));
    EXPECT_EQ(Sel(), "1,2");
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
    const struct {
        QKeyCombination key;
        int id;
        int selStart, selEnd;
        const char *text, *clipboard;
    } cases[] = {
        {Qt::CTRL | Qt::Key_X, cmd::ID_EDIT_CUT, 0, 4, "two", "one "},
        {Qt::CTRL | Qt::Key_C, cmd::ID_EDIT_COPY, 4, 7, "one two", "two"},
        // Pasted once, not by the action and again by the widget.
        {Qt::CTRL | Qt::Key_V, cmd::ID_EDIT_PASTE, 3, 3, "oneXY two", "XY"},
        {Qt::SHIFT | Qt::Key_Insert, cmd::ID_EDIT_PASTE, 3, 3, "oneXY two", "XY"},
    };
    for (const auto& c : cases) {
        clip->setText(QStringLiteral("XY"));
        SetText(QStringLiteral("one two"), c.selStart, c.selEnd);
        m_dispatched.clear();
        Key(c.key);
        EXPECT_EQ(m_dispatched, std::vector<int>{c.id});
        EXPECT_EQ(View()->toPlainText(), QString(c.text));
        EXPECT_EQ(clip->text(), QString(c.clipboard));
    }
    SetText(QStringLiteral("one two"), 0, 0);
    Key(Qt::CTRL | Qt::Key_A);
    EXPECT_EQ(Sel(), "0,7");
}

TEST_F(MainFrameTest, UndoAndRedoKeysAndItemsWorkAndAreGrayedWithNothingToDo) {
    StartActive();
    Record(/*swallow=*/false);
    QAction* undo = Frame()->CommandAction(cmd::ID_EDIT_UNDO);
    QAction* redo = Frame()->CommandAction(cmd::ID_EDIT_REDO);
    SetText(QStringLiteral("abc"), 0, 0);
    EXPECT_FALSE(undo->isEnabled() || redo->isEnabled());
    QTest::keyClicks(View(), "xy");
    EXPECT_TRUE(undo->isEnabled() && !redo->isEnabled());
    const struct {
        QKeyCombination key;  // none: the menu item
        int id;
        const char* text;
    } steps[] = {
        {Qt::CTRL | Qt::Key_Z, cmd::ID_EDIT_UNDO, "abc"},
        {Qt::CTRL | Qt::Key_Y, cmd::ID_EDIT_REDO, "xyabc"},
        {Qt::ALT | Qt::Key_Backspace, cmd::ID_EDIT_UNDO, "abc"},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, cmd::ID_EDIT_REDO, "xyabc"},
        {{}, cmd::ID_EDIT_UNDO, "abc"},
        {{}, cmd::ID_EDIT_REDO, "xyabc"},
    };
    for (const auto& step : steps) {
        m_dispatched.clear();
        if (step.key == QKeyCombination()) {
            Frame()->CommandAction(step.id)->trigger();
        } else {
            Key(step.key);
        }
        EXPECT_EQ(m_dispatched, std::vector<int>{step.id});
        EXPECT_EQ(View()->toPlainText(), QString(step.text));
        const bool undone = step.id == cmd::ID_EDIT_UNDO;
        EXPECT_EQ(undo->isEnabled(), !undone);
        EXPECT_EQ(redo->isEnabled(), undone);
    }
    // The keys of a grayed item still reach the view, which has nothing to do.
    Key(Qt::CTRL | Qt::Key_Y);
    EXPECT_EQ(View()->toPlainText(), QStringLiteral("xyabc"));
}

TEST_F(MainFrameTest, RunOptionTogglesFlipOnlyTheirBitAndPersistAtOnce) {
    settings::WriteInt(settings::kExeStat, 7);  // 4 is no toggle's bit and stays
    ASSERT_TRUE(Start());
    QAction* full = Frame()->CommandAction(cmd::ID_HSP_FULLSCREEN);
    QAction* debug = Frame()->CommandAction(cmd::ID_HSP_DEBUGWIN);
    EXPECT_TRUE(full->isChecked() && debug->isChecked());
    const struct {
        QAction* action;
        int expected;
    } steps[] = {{full, 6}, {debug, 4}, {full, 5}, {full, 4}, {debug, 6}, {full, 7}};
    for (const auto& step : steps) {
        step.action->trigger();
        EXPECT_EQ(App()->m_exestat, step.expected);
        EXPECT_EQ(settings::GetInt(settings::kExeStat, -1), step.expected);
        EXPECT_EQ(full->isChecked(), bool(step.expected & 1));
        EXPECT_EQ(debug->isChecked(), bool(step.expected & 2));
    }
}

TEST_F(MainFrameTest, PlacementIsStoredOnExitAndRestoredAtTheNextStart) {
    // The first start: an untitled script at the origin.
    ASSERT_TRUE(Start());
    EXPECT_EQ(Frame()->windowTitle(), QStringLiteral("無題[*] - QUILL"));
    EXPECT_EQ(QRect(Frame()->pos(), Frame()->size()), QRect(0, 0, 400, 300));
    for (const bool minimize : {false, true}) {
        Frame()->move(37, 52);
        Frame()->resize(611, 433);
        QApplication::processEvents();
        if (minimize) {
            Frame()->showMinimized();
            QApplication::processEvents();
        }
        // Exit closes the window and stores the restored rectangle.
        Frame()->CommandAction(cmd::ID_APP_EXIT)->trigger();
        EXPECT_FALSE(Frame()->isVisible());
        EXPECT_EQ(Stored(), std::vector<int>({2, 37, 52, 37 + 611, 52 + 433}));
        m_app.reset();
        ASSERT_TRUE(Start());
        QApplication::processEvents();
        EXPECT_EQ(QRect(Frame()->pos(), Frame()->size()), QRect(37, 52, 611, 433));
    }
}

TEST_F(MainFrameTest, RecentFilesReplaceThePlaceholderAndOpen) {
    QTemporaryDir dir;
    const QString a = testutil::WriteFile(dir, "a.as", "mes \"a\"\r\n");
    const QString b = testutil::WriteFile(dir, "b&c.as", "mes \"b\"\r\n");
    ASSERT_TRUE(Start());
    QAction* first = Frame()->CommandAction(cmd::ID_FILE_MRU_FILE1);
    QAction* second = Frame()->CommandAction(cmd::ID_FILE_MRU_FILE2);
    EXPECT_FALSE(first->isEnabled());

    ASSERT_TRUE(App()->OpenDocumentFile(a));
    ASSERT_TRUE(App()->OpenDocumentFile(b));
    EXPECT_EQ(Frame()->windowTitle(), QStringLiteral("b&c.as[*] - QUILL"));
    EXPECT_EQ(settings::RecentFiles(), QStringList({b, a}));
    EXPECT_TRUE(first->isEnabled());
    EXPECT_TRUE(second->isVisible());
    EXPECT_FALSE(Frame()->CommandAction(cmd::ID_FILE_MRU_FILE3)->isVisible());

    second->trigger();  // opens it and moves it to the top
    EXPECT_EQ(Doc()->GetPathName(), a);
    EXPECT_EQ(settings::RecentFiles(), QStringList({a, b}));

    // A file that has gone is reported and leaves the list.
    QFile::remove(b);
    bool reported = false;
    testutil::WhenModal([&reported](QWidget* box) {
        reported = true;
        qobject_cast<QMessageBox*>(box)->accept();
    });
    second->trigger();
    EXPECT_TRUE(reported);
    EXPECT_EQ(settings::RecentFiles(), QStringList({a}));
    EXPECT_FALSE(second->isVisible());
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

    qsizetype count = 0;
    WhenPopup([&count](QMenu* menu) {
        count = menu->actions().size();
        // Undo and redo are grayed: nothing to undo or redo.
        for (QAction* a : menu->actions()) {
            const int id = CMenuBuilder::CommandOf(a);
            EXPECT_EQ(a->isEnabled(), id != cmd::ID_EDIT_UNDO && id != cmd::ID_EDIT_REDO);
            EXPECT_FALSE(a->isChecked());
        }
        ChooseSelectAll(menu);
    });
    QTest::mouseRelease(View()->viewport(), Qt::RightButton, {}, at);
    EXPECT_EQ(count, qsizetype(res::ContextMenu().size()));
    EXPECT_EQ(m_dispatched, std::vector<int>{cmd::ID_EDIT_SELECT_ALL});
    EXPECT_EQ(Sel(), "0,7");
}

}  // namespace
