#include <gtest/gtest.h>

#include <QCheckBox>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "app/CMainFrame.h"
#include "app/CQuillApp.h"
#include "res/CommandIds.h"
#include "support/AppFixture.h"
#include "support/MessageBoxRecorder.h"
#include "support/TestUtil.h"
#include "view/CFindReplaceDlg.h"
#include "view/CQuillView.h"

namespace {

class FindReplaceTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        ASSERT_TRUE(Start());
    }
    void SetText(const QString& text) {
        View()->setPlainText(text);
        View()->Ctrl().SetSel(0, 0);
    }
    QString Text() const { return View()->toPlainText(); }
    std::pair<int, int> Sel() const {
        const auto [s, e] = View()->Ctrl().GetSel();
        return {s, e};
    }
    CFindReplaceDlg* Dialog() const { return View()->FindReplaceDialog(); }
    template <class T>
    T* Control(const char* name) const {
        T* w = Dialog()->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void Type(QWidget* w, const QString& text) {
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(w, &commit);
    }
};

}  // namespace

TEST_F(FindReplaceTest, FindNextSelectsOrReportsNotFound) {
    SetText("alpha beta\nBETA gamma");
    EXPECT_TRUE(View()->OnFindNext("beta", true, false, false));
    EXPECT_EQ(Sel(), std::make_pair(6, 10));
    EXPECT_TRUE(View()->OnFindNext("beta", true, false, false));
    EXPECT_EQ(Sel(), std::make_pair(11, 15));

    testutil::MessageBoxRecorder boxes;
    EXPECT_FALSE(View()->OnFindNext("delta", true, true, false));
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].caption, "QUILL");
    EXPECT_EQ(boxes.Boxes()[0].icon, QMessageBox::NoIcon);
    EXPECT_EQ(boxes.Boxes()[0].text, QStringLiteral("検索文字列 'delta' が見つかりません。"));
    EXPECT_EQ(Sel(), std::make_pair(11, 15));  // the selection stays

    // Up, wrapped once: back at the origin ends the cycle with the message.
    View()->Ctrl().SetSel(6, 10);
    EXPECT_TRUE(View()->OnFindNext("beta", false, false, false));
    EXPECT_EQ(Sel(), std::make_pair(11, 15));
    EXPECT_FALSE(View()->OnFindNext("beta", false, false, false));
    EXPECT_EQ(boxes.Boxes().size(), 2u);
}

TEST_F(FindReplaceTest, ReplaceReplacesTheSelectionWhateverItHolds) {
    SetText("one two one");
    View()->Ctrl().SetSel(4, 7);  // "two", not the find text
    View()->OnReplaceSel("one", true, false, false, "1");
    EXPECT_EQ(Text(), "one 1 one");
    EXPECT_EQ(Sel(), std::make_pair(6, 9));  // the next "one" selected
    View()->OnReplaceSel("one", true, false, false, "1");
    EXPECT_EQ(Text(), "one 1 1");
    EXPECT_EQ(Sel(), std::make_pair(0, 3));  // wrapped
    // With an empty selection the replacement is inserted at the caret.
    View()->Ctrl().SetSel(3, 3);
    testutil::MessageBoxRecorder boxes;
    View()->OnReplaceSel("zzz", true, false, false, "!");
    EXPECT_EQ(Text(), "one! 1 1");
    EXPECT_EQ(boxes.Boxes().size(), 1u);  // nothing more to find
}

TEST_F(FindReplaceTest, ReplaceAllEndsAndReportsNothing) {
    SetText("a ab\nba a");
    View()->Ctrl().SetSel(5, 5);
    testutil::MessageBoxRecorder boxes;
    View()->OnReplaceAll("a", "aa", false, false);
    EXPECT_EQ(Text(), "aa aab\nbaa aa");
    View()->OnReplaceAll("zzz", "x", false, false);
    EXPECT_EQ(Text(), "aa aab\nbaa aa");
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_TRUE(View()->Ctrl().IsRedrawOn());

    // A large script is done in time, each match replaced once.
    SetText(QString("\tmes \"a\" : a = a + 1\n").repeated(10000));
    View()->Ctrl().SetSel(150000, 150000);
    QElapsedTimer clock;
    clock.start();
    View()->OnReplaceAll("+", "++", false, false);
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_EQ(Text().count("++"), 10000);
    EXPECT_EQ(Text().count("+++"), 0);
}

TEST_F(FindReplaceTest, FindDialogDrivenByKeysAndButtons) {
    SetText("foo bar\nfoo baz foo");
    View()->OnCommand(cmd::ID_EDIT_REPEAT);  // no search yet: opens the dialog
    ASSERT_NE(Dialog(), nullptr);
    EXPECT_EQ(Dialog()->GetMode(), CFindReplaceDlg::Mode::Find);
    EXPECT_TRUE(Dialog()->isVisible());
    EXPECT_FALSE(Dialog()->isModal());
    EXPECT_EQ(Dialog()->windowTitle(), QStringLiteral("検索"));
    EXPECT_EQ(Dialog()->parentWidget(), Frame());

    auto find = Control<QLineEdit>("findWhat");
    auto next = Control<QPushButton>("findNext");
    EXPECT_EQ(find->text(), "");
    EXPECT_FALSE(next->isEnabled());
    EXPECT_EQ(Dialog()->findChild<QWidget*>("replaceAll"), nullptr);

    QTest::keyClicks(find, "foo");
    EXPECT_TRUE(next->isEnabled());
    QTest::mouseClick(next, Qt::LeftButton);
    EXPECT_EQ(Sel(), std::make_pair(0, 3));
    QTest::keyClick(find, Qt::Key_Return);  // the default button
    EXPECT_EQ(Sel(), std::make_pair(8, 11));

    // Up, with match case: "Foo" is not "foo".
    QTest::mouseClick(Control<QRadioButton>("up"), Qt::LeftButton);
    EXPECT_FALSE(Dialog()->SearchDown());
    QTest::mouseClick(next, Qt::LeftButton);
    EXPECT_EQ(Sel(), std::make_pair(0, 3));

    QTest::mouseClick(Control<QPushButton>("cancel"), Qt::LeftButton);
    EXPECT_FALSE(Dialog()->isVisible());
    // F3 repeats the last search (up) without the dialog.
    View()->OnCommand(cmd::ID_EDIT_REPEAT);
    EXPECT_EQ(Sel(), std::make_pair(16, 19));
    EXPECT_FALSE(Dialog()->isVisible());
}

TEST_F(FindReplaceTest, DialogIsPrefilledFromAOneLineSelection) {
    SetText("first line\nsecond");
    View()->Ctrl().SetSel(0, 5);
    View()->OnCommand(cmd::ID_EDIT_FIND);
    auto find = Control<QLineEdit>("findWhat");
    EXPECT_EQ(find->text(), "first");
    EXPECT_EQ(find->selectedText(), "first");
    EXPECT_EQ(Dialog()->focusWidget(), find);
    // A selection over two lines leaves the box as it was.
    View()->Ctrl().SetSel(6, 13);
    View()->OnCommand(cmd::ID_EDIT_FIND);
    EXPECT_EQ(Control<QLineEdit>("findWhat")->text(), "first");
}

TEST_F(FindReplaceTest, ReplaceDialogReusesTheInstance) {
    SetText("cat dog cat");
    View()->OnCommand(cmd::ID_EDIT_FIND);
    CFindReplaceDlg* first = Dialog();
    QTest::mouseClick(Control<QCheckBox>("matchCase"), Qt::LeftButton);
    QTest::keyClicks(Control<QLineEdit>("findWhat"), "cat");

    View()->OnCommand(cmd::ID_EDIT_REPLACE);
    EXPECT_EQ(Dialog(), first);
    EXPECT_EQ(Dialog()->GetMode(), CFindReplaceDlg::Mode::Replace);
    EXPECT_EQ(Dialog()->windowTitle(), QStringLiteral("置換"));
    // What was entered in find mode carries over.
    EXPECT_EQ(Control<QLineEdit>("findWhat")->text(), "cat");
    EXPECT_TRUE(Control<QCheckBox>("matchCase")->isChecked());
    EXPECT_EQ(Dialog()->findChild<QWidget*>("up"), nullptr);
    EXPECT_TRUE(Control<QWidget>("replaceWith")->isVisible());

    auto replaceWith = Control<QLineEdit>("replaceWith");
    QTest::keyClicks(replaceWith, "cow");
    QTest::mouseClick(Control<QPushButton>("findNext"), Qt::LeftButton);
    EXPECT_EQ(Sel(), std::make_pair(0, 3));
    QTest::mouseClick(Control<QPushButton>("replace"), Qt::LeftButton);
    EXPECT_EQ(Text(), "cow dog cat");
    EXPECT_EQ(Sel(), std::make_pair(8, 11));

    // Replace All also takes the selected occurrence.
    replaceWith->clear();
    Type(replaceWith, QStringLiteral("ねこ"));
    QTest::mouseClick(Control<QPushButton>("replaceAll"), Qt::LeftButton);
    EXPECT_EQ(Text(), QStringLiteral("cow dog ねこ"));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // the wait cursor is gone

    // Emptying the search box disables every button but Cancel.
    Control<QLineEdit>("findWhat")->clear();
    EXPECT_FALSE(Control<QPushButton>("findNext")->isEnabled());
    EXPECT_FALSE(Control<QPushButton>("replace")->isEnabled());
    EXPECT_FALSE(Control<QPushButton>("replaceAll")->isEnabled());
    EXPECT_TRUE(Control<QPushButton>("cancel")->isEnabled());
}
