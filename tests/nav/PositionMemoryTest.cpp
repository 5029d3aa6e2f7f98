// Remember, Back and Forward through the editor's commands (the sequences
// themselves are CMarkHistory's tests).
#include "NavTestSupport.h"
#include "nav/CNavigator.h"

namespace {

class PositionMemory : public NavFixture {
protected:
    void SetUp() override {
        NavFixture::SetUp();
        SetText(NumberedLines(100));
    }
    void MarkAt(int start, int end) {
        Select(start, end);
        Dispatch(cmd::ID_CURSOR_MARK);
    }
};

}  // namespace

TEST_F(PositionMemory, BackAndForwardRestoreWholeSelectionsAndScrollToThem) {
    Select(7, 9);
    Dispatch(cmd::ID_CURSOR_BACK);  // empty history: beeps
    EXPECT_EQ(Sel(), "7,9");
    MarkAt(5, 9);
    MarkAt(300, 300);
    Select(600, 600);
    Dispatch(cmd::ID_CURSOR_BACK);
    EXPECT_EQ(Sel(), "300,300");
    EXPECT_EQ(TopLine(), View()->Ctrl().LineFromChar(300));
    Dispatch(cmd::ID_CURSOR_BACK);
    EXPECT_EQ(Sel(), "5,9");
    Dispatch(cmd::ID_CURSOR_FORWARD);
    EXPECT_EQ(Sel(), "300,300");
}

TEST_F(PositionMemory, OffsetsAreNotAdjustedAndLimitedToTheText) {
    MarkAt(40, 45);
    Select(0, 10);
    View()->Ctrl().ReplaceSel(QString());
    Dispatch(cmd::ID_CURSOR_BACK);
    EXPECT_EQ(Sel(), "40,45");

    MarkAt(500, 500);
    SetText("short");
    Dispatch(cmd::ID_CURSOR_BACK);
    EXPECT_EQ(Sel(), "5,5");
}

TEST_F(PositionMemory, SurvivesNewAndOpen) {
    MarkAt(12, 15);
    Dispatch(cmd::ID_FILE_NEW);
    EXPECT_EQ(View()->toPlainText(), "");
    QTemporaryDir dir;
    const QString path = testutil::WriteFile(dir, "a.as", "0123456789\r\n0123456789\r\n");
    ASSERT_TRUE(App()->OpenDocumentFile(path));
    Dispatch(cmd::ID_CURSOR_BACK);
    EXPECT_EQ(Sel(), "12,15");
}
