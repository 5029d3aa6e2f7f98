// Find and replace on the editor: the view's commands and the dialog.
#include "support/QuillTest.h"

#include <QRadioButton>

#include "view/CFindReplaceDlg.h"

namespace {

class FindReplaceTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        ASSERT_TRUE(Start());
    }
    QString Text() const { return View()->toPlainText(); }
    CFindReplaceDlg* Dialog() const { return View()->FindReplaceDialog(); }
    template <class T>
    T* Control(const char* name) const {
        T* w = Dialog()->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
};

}  // namespace

TEST_F(FindReplaceTest, FindNextSelectsOrReportsNotFound) {
    SetText("alpha beta\nBETA gamma");
    EXPECT_TRUE(View()->OnFindNext("beta", true, false, false));
    EXPECT_EQ(Sel(), "6,10");
    EXPECT_TRUE(View()->OnFindNext("beta", true, false, false));
    EXPECT_EQ(Sel(), "11,15");
    testutil::MessageBoxRecorder boxes;
    EXPECT_FALSE(View()->OnFindNext("delta", true, true, false));
    EXPECT_EQ(boxes.Texts(), QStringList{"検索文字列 'delta' が見つかりません。"});
    EXPECT_EQ(Sel(), "11,15");  // the selection stays
}

TEST_F(FindReplaceTest, ReplaceReplacesTheSelectionWhateverItHolds) {
    SetText("one two one");
    Select(4, 7);  // "two", not the find text
    View()->OnReplaceSel("one", true, false, false, "1");
    EXPECT_EQ(Text(), "one 1 one");
    EXPECT_EQ(Sel(), "6,9");  // the next "one" selected
    View()->OnReplaceSel("one", true, false, false, "1");
    EXPECT_EQ(Text(), "one 1 1");
    EXPECT_EQ(Sel(), "0,3");  // wrapped
    // With an empty selection the replacement is inserted at the caret.
    Select(3, 3);
    testutil::MessageBoxRecorder boxes;
    View()->OnReplaceSel("zzz", true, false, false, "!");
    EXPECT_EQ(Text(), "one! 1 1");
    EXPECT_EQ(boxes.Boxes().size(), 1u);  // nothing more to find
}

TEST_F(FindReplaceTest, ReplaceAllReplacesEachOccurrenceOnceAndReportsNothing) {
    const struct {
        QString text, find, replace;
        bool matchCase;
        int selStart, selEnd;
        QString expected;
    } cases[] = {
        {"a a\nbab a", "a", "aa", false, 0, 0, "aa aa\nbaab aa"},
        {"a a\nbab a", "a", "aa", false, 5, 5, "aa aa\nbaab aa"},  // origin inside
        {"aaa", "a", "aa", false, 1, 1, "aaaaaa"},                 // match at the origin
        {"xAx", "a", "a", true, 0, 0, "xAx"},
        {"xAx a", "a", "a", false, 2, 2, "xax a"},  // equal text, case-insensitive
        {"AaA", "A", "a", false, 0, 0, "aaa"},
        {"abc", "", "x", false, 0, 0, "abc"},
        {"aaaa", "aa", "", false, 1, 1, "aa"},  // wraps to [0, 1): nothing fits
        {"abab", "ab", "abab", false, 2, 2, "abababab"},
        // The selection is where searching begins, one character in: a
        // selected occurrence is not reached (the dialog's button restarts).
        {"foo bar foo", "foo", "x", false, 8, 11, "x bar foo"},
    };
    testutil::MessageBoxRecorder boxes;
    for (const auto& c : cases) {
        SCOPED_TRACE((c.text + " / " + c.find).toStdString());
        SetText(c.text);
        Select(c.selStart, c.selEnd);
        View()->OnReplaceAll(c.find, c.replace, c.matchCase, false);
        EXPECT_EQ(Text(), c.expected);
        EXPECT_TRUE(View()->Ctrl().IsRedrawOn());
    }
    EXPECT_TRUE(boxes.Boxes().empty());

    // A large script is done in time, each match replaced once.
    SetText(QString("\tmes \"a\" : a = a + 1\n").repeated(10000));
    Select(150000, 150000);
    QElapsedTimer clock;
    clock.start();
    View()->OnReplaceAll("+", "++", false, false);
    EXPECT_LT(clock.elapsed(), 30000);
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
    EXPECT_EQ(Dialog()->parentWidget(), Frame());

    auto find = Control<QLineEdit>("findWhat");
    auto next = Control<QPushButton>("findNext");
    EXPECT_FALSE(next->isEnabled());
    EXPECT_EQ(Dialog()->findChild<QWidget*>("replaceAll"), nullptr);
    QTest::keyClicks(find, "foo");
    QTest::mouseClick(next, Qt::LeftButton);
    EXPECT_EQ(Sel(), "0,3");
    QTest::keyClick(find, Qt::Key_Return);  // the default button
    EXPECT_EQ(Sel(), "8,11");

    // Up, with match case: "Foo" is not "foo".
    QTest::mouseClick(Control<QRadioButton>("up"), Qt::LeftButton);
    QTest::mouseClick(next, Qt::LeftButton);
    EXPECT_EQ(Sel(), "0,3");

    QTest::mouseClick(Control<QPushButton>("cancel"), Qt::LeftButton);
    EXPECT_FALSE(Dialog()->isVisible());
    // F3 repeats the last search (up) without the dialog.
    View()->OnCommand(cmd::ID_EDIT_REPEAT);
    EXPECT_EQ(Sel(), "16,19");
    EXPECT_FALSE(Dialog()->isVisible());

    // A selection on one line fills the box; one over two lines does not.
    Select(8, 10);
    View()->OnCommand(cmd::ID_EDIT_FIND);
    EXPECT_EQ(find->text(), "fo");
    EXPECT_EQ(find->selectedText(), "fo");
    EXPECT_EQ(Dialog()->focusWidget(), find);
    Select(6, 13);
    View()->OnCommand(cmd::ID_EDIT_FIND);
    EXPECT_EQ(find->text(), "fo");
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
    // What was entered in find mode carries over.
    EXPECT_EQ(Control<QLineEdit>("findWhat")->text(), "cat");
    EXPECT_TRUE(Control<QCheckBox>("matchCase")->isChecked());
    EXPECT_EQ(Dialog()->findChild<QWidget*>("up"), nullptr);

    auto replaceWith = Control<QLineEdit>("replaceWith");
    QTest::keyClicks(replaceWith, "cow");
    QTest::mouseClick(Control<QPushButton>("findNext"), Qt::LeftButton);
    EXPECT_EQ(Sel(), "0,3");
    QTest::mouseClick(Control<QPushButton>("replace"), Qt::LeftButton);
    EXPECT_EQ(Text(), "cow dog cat");
    EXPECT_EQ(Sel(), "8,11");

    // Replace All also takes the selected occurrence.
    replaceWith->clear();
    testutil::Commit(replaceWith, u"ねこ"_s);
    QTest::mouseClick(Control<QPushButton>("replaceAll"), Qt::LeftButton);
    EXPECT_EQ(Text(), u"cow dog ねこ"_s);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // the wait cursor is gone

    // Emptying the search box disables every button but Cancel.
    Control<QLineEdit>("findWhat")->clear();
    for (const char* name : {"findNext", "replace", "replaceAll"}) {
        EXPECT_FALSE(Control<QPushButton>(name)->isEnabled()) << name;
    }
    EXPECT_TRUE(Control<QPushButton>("cancel")->isEnabled());
}
