// Remember, Back and Forward through the editor's commands (the sequences
// themselves are CMarkHistory's tests).
#include <gtest/gtest.h>

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
};

}  // namespace

TEST_F(PositionMemory, BackAndForwardRestoreWholeSelections) {
    Select(7, 9);
    Command(cmd::ID_CURSOR_BACK);  // empty history: beeps
    Command(cmd::ID_CURSOR_FORWARD);
    EXPECT_EQ(Sel(), "7,9");
    MarkAt(5, 9);
    MarkAt(300, 300);
    MarkAt(350, 352);
    Select(600, 600);
    Command(cmd::ID_CURSOR_BACK);
    EXPECT_EQ(Sel(), "350,352");
    Command(cmd::ID_CURSOR_BACK);
    EXPECT_EQ(Sel(), "300,300");
    EXPECT_EQ(TopLine(), View()->Ctrl().LineFromChar(300));
    Command(cmd::ID_CURSOR_BACK);
    Command(cmd::ID_CURSOR_BACK);  // beeps
    EXPECT_EQ(Sel(), "5,9");
    Command(cmd::ID_CURSOR_FORWARD);
    EXPECT_EQ(Sel(), "300,300");
    Command(cmd::ID_CURSOR_FORWARD);
    Command(cmd::ID_CURSOR_FORWARD);  // beeps, and moves to the end of the history
    EXPECT_EQ(Sel(), "350,352");
    Select(42, 42);
    Command(cmd::ID_CURSOR_BACK);
    EXPECT_EQ(Sel(), "350,352");
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
    QTemporaryDir dir;
    const QString path = testutil::WriteFile(dir, "a.as", "0123456789\r\n0123456789\r\n");
    ASSERT_TRUE(App()->OpenDocumentFile(path));
    Command(cmd::ID_CURSOR_BACK);
    EXPECT_EQ(Sel(), "12,15");
}
