#include "NavTestSupport.h"
#include "nav/CLineDlg.h"
#include "nav/CNavigator.h"
#include "nav/LineNumber.h"
#include "res/CommandIds.h"
#include "res/DialogResources.h"
#include "support/TestUtil.h"
#include "view/CQuillView.h"

namespace {

class GoToLine : public NavFixture {
protected:
    // Types `text` into the line dialog, then Enter (or Cancel).
    void GoTo(const QString& text, bool cancel = false) {
        m_focusInBox = false;
        OnModal([this, text, cancel](QWidget* w) {
            auto* dlg = qobject_cast<CLineDlg*>(w);
            if (!dlg) {
                w->close();
                return;
            }
            QWidget* box = dlg->GetDlgItem(IDC_EDIT1);
            m_focusInBox = dlg->focusWidget() == box;
            QTest::keyClicks(box, text);
            if (cancel) {
                static_cast<QPushButton*>(dlg->GetDlgItem(IDCANCEL))->click();
            } else {
                QTest::keyClick(box, Qt::Key_Return);
            }
        });
        Dispatch(cmd::ID_CURSOR_LINE);
    }

    bool m_focusInBox = false;
};

}  // namespace

// The dialog's tests below cover blanks, signs, letters and huge numbers.
TEST(ParseLineNumber, DigitsUpToTheFirstOtherCharacter) {
    EXPECT_EQ(nav::ParseLineNumber(u"+3"), 0);
    EXPECT_EQ(nav::ParseLineNumber(QString::fromUtf8("１２")), 0);  // full-width digits
    EXPECT_EQ(nav::ParseLineNumber(u"007x"), 7);
    EXPECT_EQ(nav::ParseLineNumber(u"2147483647"), INT_MAX);
    EXPECT_EQ(nav::ParseLineNumber(u"2147483648"), INT_MAX);  // saturates
}

TEST_F(GoToLine, LineNumbersFromTheDialog) {
    SetText(NumberedLines(200));

    GoTo("1");
    EXPECT_TRUE(m_focusInBox);
    EXPECT_EQ(Sel(), "0,0");
    EXPECT_EQ(TopLine(), 0);

    GoTo("12ab");
    EXPECT_EQ(Sel(), AtLineStart(11));

    GoTo("200");
    EXPECT_EQ(Sel(), AtLineStart(199));

    for (const char* nothing : {"", "0", " 5", "-5", "x1"}) {
        Select(3, 3);
        GoTo(nothing);
        EXPECT_EQ(Sel(), AtLineStart(199)) << nothing;
    }
    for (const char* past : {"201", "5000", "99999999999999999999"}) {
        Select(3, 3);
        GoTo(past);
        EXPECT_EQ(View()->Ctrl().LineFromChar(CEditControl::kCaret), 199) << past;
    }
    Select(10, 12);
    GoTo("30", true);  // Cancel
    EXPECT_EQ(Sel(), "10,12");
    EXPECT_EQ(View()->Navigator().Marks().MarkCount(), 0);
}

TEST_F(GoToLine, TargetLineComesToTheTopOfTheWindow) {
    SetText(NumberedLines(300));
    GoTo("120");
    EXPECT_EQ(TopLine(), 119);
    // From below, too.
    GoTo("40");
    EXPECT_EQ(TopLine(), 39);
    EXPECT_TRUE(View()->Ctrl().IsRedrawOn());

    // Near the end there is too little text after the line: the last line
    // stays at the bottom of the window.
    GoTo("299");
    EXPECT_LT(TopLine(), 298);
    const int lastTop = View()->Ctrl().PosFromChar(LineStart(299)).y();
    const int lineHeight = View()->fontMetrics().height();
    const int windowHeight = View()->viewport()->height();
    EXPECT_LE(lastTop + lineHeight, windowHeight);
    EXPECT_GT(lastTop + 2 * lineHeight, windowHeight);
    EXPECT_EQ(View()->Ctrl().LineFromChar(CEditControl::kCaret), 298);
}
