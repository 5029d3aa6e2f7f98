// Undo and redo in the view: the steps, the bytes and colors they give
// back, the modified state, and the size of the history.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QTest>
#include <functional>
#include <random>
#include <vector>

#include "doc/CQuillDoc.h"
#include "res/CommandIds.h"
#include "res/ExePath.h"
#include "support/TestUtil.h"
#include "view/CQuillView.h"

using testutil::RecordsOfText;

namespace {

// Mixed line ends, Japanese, and bytes that are no Shift_JIS character.
const QByteArray kScript =
    "*start\r\n\tmes \"\x93\xfa\x96\x7b\" ; x\n\x81\x20\xed\x40 print\r\x80\xa0\xfd mes\r\n"
    "\tgoto *start\n\n\x82\xa0 if";

const QByteArray kWords = "!blue\nprint\nmes\ngoto\nif\n!green\n;\n!red\n*\n";

class UndoTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_view = testutil::MakeView(kWords);
        m_view->resize(600, 400);
        m_view->show();
        m_doc.SetView(m_view.get());
        QString error;
        ASSERT_TRUE(m_doc.OnOpenDocument(testutil::WriteFile(m_dir, "a.as", kScript), &error));
    }
    void TearDown() override { m_view.reset(); }
    CQuillView& View() { return *m_view; }
    QByteArray Bytes() {
        QByteArray bytes;
        QString error;
        EXPECT_TRUE(m_doc.Serialize(&bytes, &error));
        return bytes;
    }
    void Select(int from, int to) { View().Ctrl().SetSel(from, to); }
    void Command(int id) { View().OnCommand(id); }
    int UndoAll() {
        int steps = 0;
        for (; View().History().CanUndo(); ++steps) {
            Command(cmd::ID_EDIT_UNDO);
            ExpectColorsOfOnePass();
        }
        return steps;
    }
    void ExpectColorsOfOnePass() {
        const auto reference = testutil::MakeView(kWords);
        reference->setPlainText(View().toPlainText());
        reference->RecolorAll();
        EXPECT_EQ(RecordsOfText(View()), RecordsOfText(*reference));
    }

    QTemporaryDir m_dir;
    CQuillDoc m_doc;
    std::unique_ptr<CQuillView> m_view;
};

TEST_F(UndoTest, RandomEditsUndoToTheFileBytesAndRedoToTheEditedOnes) {
    QApplication::clipboard()->setText(QString::fromUtf8("print \xe8\xa1\xa8\n; x"));
    std::mt19937 random(21);
    auto pos = [&] { return int(random() % unsigned(View().Ctrl().GetTextLength() + 1)); };
    auto lineStart = [&] { return View().Ctrl().LineIndex(int(random() % 7)); };
    const std::function<void()> edits[] = {
        [&] { Select(pos(), pos()), QTest::keyClicks(&View(), "ab;"); },
        [&] { Select(pos(), pos()), QTest::keyClick(&View(), Qt::Key_Return); },
        [&] { Select(lineStart(), lineStart()), QTest::keyClick(&View(), Qt::Key_Backspace); },
        [&] {
            const int end = std::max(0, lineStart() - 1);
            Select(end, end), QTest::keyClick(&View(), Qt::Key_Delete);
        },
        [&] { Select(pos(), pos()), Command(cmd::ID_EDIT_PASTE); },
        [&] { Select(pos(), pos()), Command(cmd::ID_EDIT_CUT); },
        [&] {
            const QString with = QStringLiteral("*x");
            Select(pos(), pos()),
                View().ReplaceSelAndRecolor(&with, CQuillView::ReplaceMode::Repaint);
        },
        [&] { View().OnReplaceAll(QStringLiteral("mes"), QStringLiteral("print"), false, false); },
        [&] {
            QInputMethodEvent commit;
            commit.setCommitString(QString::fromUtf8("\xe6\x97\xa5\n"));
            Select(pos(), pos()), QApplication::sendEvent(&View(), &commit);
        },
    };
    for (int round = 0; round < 6; ++round) {
        SCOPED_TRACE(round);
        for (int i = 0; i < 12; ++i) {
            edits[random() % std::size(edits)]();
        }
        const QByteArray edited = Bytes();
        ASSERT_TRUE(m_doc.IsModified());
        const int steps = UndoAll();
        EXPECT_EQ(Bytes(), kScript);
        EXPECT_FALSE(m_doc.IsModified());
        for (int i = 0; i < steps; ++i) {
            Command(cmd::ID_EDIT_REDO);
        }
        EXPECT_EQ(Bytes(), edited);
        EXPECT_TRUE(m_doc.IsModified());
        ExpectColorsOfOnePass();
        UndoAll();
    }
}

TEST_F(UndoTest, EachStepAUserExpectsIsUndoneAtOnce) {
    QApplication::clipboard()->setText(QStringLiteral("P"));
    auto keys = [&](const char* text) { return [this, text] { QTest::keyClicks(&View(), text); }; };
    auto key = [&](Qt::Key k) { return [this, k] { QTest::keyClick(&View(), k); }; };
    auto command = [&](int id) { return [this, id] { Command(id); }; };
    const struct {
        const char* what;
        std::vector<std::function<void()>> actions;
        int steps;
    } cases[] = {
        {"a typed run", {keys("ab c"), key(Qt::Key_Backspace), keys("d")}, 3},
        {"runs apart by a caret move",
         {keys("ab"), key(Qt::Key_Left), key(Qt::Key_Right), keys("c")},
         2},
        {"runs apart by a click",
         {keys("ab"), [&] { QTest::mouseClick(View().viewport(), Qt::LeftButton); }, keys("c")},
         2},
        {"deletions", {key(Qt::Key_Backspace), key(Qt::Key_Backspace), key(Qt::Key_Delete)}, 1},
        {"Enter with its indent, Tab",
         {key(Qt::Key_Return), key(Qt::Key_Tab), key(Qt::Key_Tab)},
         3},
        {"paste, then typing", {keys("a"), command(cmd::ID_EDIT_PASTE), keys("b")}, 3},
        {"a save ends a run", {keys("a"), [&] { m_doc.SetModifiedFlag(false); }, keys("b")}, 2},
        {"Replace All", {[&] { View().OnReplaceAll("mes", "if", false, false); }}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QString error;
        ASSERT_TRUE(m_doc.OnOpenDocument(m_dir.filePath("a.as"), &error));
        Select(12, 12);
        for (const auto& act : c.actions) {
            act();
        }
        EXPECT_EQ(UndoAll(), c.steps);
        EXPECT_EQ(Bytes(), kScript);
    }
}

TEST_F(UndoTest, UndoBackToTheSavedTextClearsModifiedAndANewTextStartsAnEmptyHistory) {
    // An input method's empty pre-edit changes nothing.
    QInputMethodEvent preedit(QString(), {});
    QApplication::sendEvent(&View(), &preedit);
    EXPECT_FALSE(m_doc.IsModified());
    const struct {
        std::function<void()> act;
        bool modified;
    } steps[] = {
        {[&] { QTest::keyClicks(&View(), "x"); }, true},
        {[&] { Command(cmd::ID_EDIT_UNDO); }, false},
        {[&] { Command(cmd::ID_EDIT_REDO); }, true},
        {[&] { ASSERT_TRUE(m_doc.DoSave(m_dir.filePath("b.as"), false)); }, false},
        {[&] { Command(cmd::ID_EDIT_UNDO); }, true},  // the history outlives a save
        {[&] { Command(cmd::ID_EDIT_REDO); }, false},
    };
    for (const auto& step : steps) {
        step.act();
        EXPECT_EQ(m_doc.IsModified(), step.modified);
    }
    QString error;
    const std::function<void()> fresh[] = {
        [&] { m_doc.OnNewDocument(); },
        [&] { ASSERT_TRUE(m_doc.OnOpenDocument(m_dir.filePath("a.as"), &error)); },
        [&] { m_doc.RestoreDocument(QString(), QStringLiteral("restored")); },
    };
    for (const auto& act : fresh) {
        QTest::keyClicks(&View(), "y");
        act();
        EXPECT_FALSE(View().History().CanUndo() || View().History().CanRedo());
    }
}

TEST_F(UndoTest, AFullHistoryDropsItsOldestStepsAndKeepsTheText) {
    View().History().SetLimit(30);
    for (const char* text : {"aaaaaaaaaa", "bbbbbbbbbb", "cccccccccc", "dd"}) {
        Select(0, 0);
        QTest::keyClicks(&View(), text);
    }
    ASSERT_TRUE(View().History().IsFull());
    const QByteArray edited = Bytes();
    QApplication::processEvents();  // trims
    EXPECT_EQ(Bytes(), edited);
    EXPECT_TRUE(m_doc.IsModified());
    // The newest steps are left, about half the limit.
    EXPECT_EQ(UndoAll(), 3);
    EXPECT_EQ(Bytes(), "aaaaaaaaaa" + kScript);
    EXPECT_TRUE(m_doc.IsModified());
}

}  // namespace
