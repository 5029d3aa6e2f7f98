// Remember, Back and Forward through the editor's commands.
#include <gtest/gtest.h>

#include <QTextCursor>

#include "NavTestSupport.h"
#include "doc/CQuillDoc.h"
#include "nav/CNavigator.h"
#include "res/CommandIds.h"
#include "support/TestUtil.h"
#include "view/CQuillView.h"

namespace {

class PositionMemory : public NavFixture {
protected:
    void SetUp() override {
        NavFixture::SetUp();
        SetText(NumberedLines(100));
    }
    void MarkAt(int start, int end) {
        Select(start, end);
        Command(cmd::ID_CURSOR_MARK);
    }
    const CMarkHistory& Marks() { return View()->Navigator().Marks(); }
};

}  // namespace

TEST_F(PositionMemory, EmptyHistoryLeavesTheCaret) {
    Select(7, 9);
    Command(cmd::ID_CURSOR_BACK);
    EXPECT_EQ(Sel(), "7,9");
    Command(cmd::ID_CURSOR_FORWARD);
    EXPECT_EQ(Sel(), "7,9");
    EXPECT_EQ(Marks().MarkPos(), 0);
}

TEST_F(PositionMemory, BackRestoresTheWholeSelectionAndForwardResets) {
    MarkAt(5, 9);      // P, several characters
    MarkAt(300, 300);  // Q
    Select(600, 600);
    Command(cmd::ID_CURSOR_BACK);
    EXPECT_EQ(Sel(), "300,300");
    EXPECT_EQ(TopLine(), View()->Ctrl().LineFromChar(300));
    Command(cmd::ID_CURSOR_BACK);
    EXPECT_EQ(Sel(), "5,9");
    Command(cmd::ID_CURSOR_BACK);  // beeps
    EXPECT_EQ(Sel(), "5,9");
    Command(cmd::ID_CURSOR_FORWARD);
    EXPECT_EQ(Sel(), "300,300");
    Select(42, 42);
    Command(cmd::ID_CURSOR_FORWARD);  // beeps, back at the end of the history
    EXPECT_EQ(Sel(), "42,42");
    EXPECT_EQ(Marks().MarkPos(), 2);
    Command(cmd::ID_CURSOR_BACK);
    EXPECT_EQ(Sel(), "300,300");
}

TEST_F(PositionMemory, MarkAfterBackReplacesTheEntryBackWentTo) {
    MarkAt(10, 10);  // P
    MarkAt(20, 20);  // Q
    MarkAt(30, 30);  // R
    Command(cmd::ID_CURSOR_BACK);
    MarkAt(40, 40);  // S replaces R
    EXPECT_EQ(Marks().MarkCount(), 3);
    Command(cmd::ID_CURSOR_BACK);
    EXPECT_EQ(Sel(), "40,40");
    Command(cmd::ID_CURSOR_BACK);
    EXPECT_EQ(Sel(), "20,20");
    Command(cmd::ID_CURSOR_BACK);
    EXPECT_EQ(Sel(), "10,10");
}

TEST_F(PositionMemory, ElevenMarksKeepTheLastTen) {
    for (int i = 0; i < 11; ++i) {
        MarkAt(i * 50, i * 50 + 1);
    }
    for (int i = 10; i >= 1; --i) {
        Command(cmd::ID_CURSOR_BACK);
        EXPECT_EQ(Sel(), QString("%1,%2").arg(i * 50).arg(i * 50 + 1));
    }
    Command(cmd::ID_CURSOR_BACK);  // beeps
    EXPECT_EQ(Sel(), "50,51");
}

TEST_F(PositionMemory, OffsetsAreNotAdjustedAndLimitedToTheText) {
    MarkAt(40, 45);
    Select(0, 10);
    View()->Ctrl().ReplaceSel(QString());
    Command(cmd::ID_CURSOR_BACK);
    EXPECT_EQ(Sel(), "40,45");

    MarkAt(500, 500);
    SetText("short");
    Command(cmd::ID_CURSOR_BACK);
    EXPECT_EQ(Sel(), "5,5");
}

TEST_F(PositionMemory, SurvivesNewAndOpen) {
    MarkAt(12, 15);
    Command(cmd::ID_FILE_NEW);
    EXPECT_EQ(View()->toPlainText(), "");
    EXPECT_EQ(Marks().MarkCount(), 1);

    QTemporaryDir dir;
    const QString path = testutil::WriteFile(dir, "a.as", "0123456789\r\n0123456789\r\n");
    ASSERT_TRUE(App()->OpenDocumentFile(path));
    Command(cmd::ID_CURSOR_BACK);
    EXPECT_EQ(Sel(), "12,15");
}
