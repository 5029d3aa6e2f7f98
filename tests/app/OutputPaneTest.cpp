// The output pane's lines that name a line of the script: F8 and Shift+F8,
// double-click and Enter take the caret there; the view toggle and its
// setting.
#include <gtest/gtest.h>

#include <QDockWidget>
#include <QPlainTextEdit>
#include <QTest>

#include "app/CMainFrame.h"
#include "app/COutputPane.h"
#include "app/CQuillApp.h"
#include "app/SettingsStore.h"
#include "res/CommandIds.h"
#include "support/AppFixture.h"
#include "view/CQuillView.h"

namespace {

class OutputPane : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        ASSERT_TRUE(Start());
        QStringList script;
        for (int i = 1; i <= 20; ++i) {
            script << QString("line %1").arg(i);
        }
        View()->setPlainText(script.join('\n'));
        Pane()->Begin({"hsptmp", "/w/main.as", "main.as"});
        Pane()->AppendNote("> hspcmp hsptmp");
        Pane()->AppendOutput({"compiling", "hsptmp(4) : error", "other.as(9) : error",
                              "main.as:12: warning", "done"});
        Pane()->AppendNote("エラー (1)");
    }
    COutputPane* Pane() const { return Frame()->OutputPane(); }
    int CaretLine() const { return View()->textCursor().blockNumber() + 1; }
    QPoint PointOfLine(int paneLine) const {
        QPlainTextEdit* text = Pane()->Text();
        QTextCursor cursor(text->document()->findBlockByNumber(paneLine));
        return text->cursorRect(cursor).center();
    }
};

}  // namespace

TEST_F(OutputPane, F8AndShiftF8StepThroughTheLinesThatNameTheScript) {
    const struct {
        int command;
        int marked;  // pane line
        int caret;   // script line
    } steps[] = {
        {cmd::ID_NEXT_MESSAGE, 2, 4},  {cmd::ID_NEXT_MESSAGE, 4, 12},
        {cmd::ID_NEXT_MESSAGE, 4, 12},  // none after: stays
        {cmd::ID_PREV_MESSAGE, 2, 4},  {cmd::ID_PREV_MESSAGE, 2, 4},
    };
    for (const auto& step : steps) {
        Dispatch(step.command);
        EXPECT_EQ(Pane()->MarkedLine(), step.marked);
        EXPECT_EQ(CaretLine(), step.caret);
    }
}

TEST_F(OutputPane, DoubleClickAndEnterJumpFromTheirLine) {
    QWidget* viewport = Pane()->Text()->viewport();
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, PointOfLine(4));
    EXPECT_EQ(CaretLine(), 12);
    EXPECT_EQ(View()->textCursor().selectedText(), "line 12");
    // A line naming another file, or none, leaves everything as it was.
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, PointOfLine(3));
    EXPECT_EQ(Pane()->MarkedLine(), 4);
    EXPECT_EQ(CaretLine(), 12);

    // F6 reaches the pane from the keyboard.
    Frame()->OutputDock()->show();
    Dispatch(cmd::ID_NEXT_PANE);
    EXPECT_EQ(Frame()->focusWidget(), Pane()->Text());
    Pane()->Text()->setTextCursor(QTextCursor(Pane()->Text()->document()->findBlockByNumber(2)));
    QTest::keyClick(Pane()->Text(), Qt::Key_Return);
    EXPECT_EQ(CaretLine(), 4);
    EXPECT_EQ(Pane()->MarkedLine(), 2);
}

TEST_F(OutputPane, ViewMenuTogglesThePaneAndTheSettingKeepsIt) {
    QDockWidget* dock = Frame()->OutputDock();
    EXPECT_TRUE(dock->isHidden());
    Dispatch(cmd::ID_VIEW_OUTPUT);
    EXPECT_FALSE(dock->isHidden());
    EXPECT_TRUE(Frame()->CommandAction(cmd::ID_VIEW_OUTPUT)->isChecked());
    Frame()->close();
    EXPECT_TRUE(settings::ViewOutputPane());
    m_app.reset();
    ASSERT_TRUE(Start());
    EXPECT_FALSE(Frame()->OutputDock()->isHidden());
    Dispatch(cmd::ID_VIEW_OUTPUT);
    EXPECT_TRUE(Frame()->OutputDock()->isHidden());
    EXPECT_FALSE(Frame()->CommandAction(cmd::ID_VIEW_OUTPUT)->isChecked());
}
