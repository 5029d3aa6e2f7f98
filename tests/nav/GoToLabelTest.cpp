// Go to label: collecting, the label dialog and the jump, on the editor.
#include "NavTestSupport.h"

#include "nav/CLabelDlg.h"
#include "nav/CNavigator.h"

namespace {

const char* const kScript =
    "*start\n"
    "\t\t*loop:mes \"x\"\n"
    "  *sub ; comment\n"
    "*Case\n"
    "*ｱｲ\n"
    "*表示\n"
    "mes *notlabel\n"
    "*\n"
    "\t*CASE\n"
    "*end\n"
    "stop";

class GoToLabel : public NavFixture {
protected:
    void SetUp() override {
        NavFixture::SetUp();
        SetText(QString::fromUtf8(kScript));
    }
    static QListWidget* List(CLabelDlg* dlg) { return dlg->Control<QListWidget>(IDC_LIST1); }
    static QLineEdit* Box(CLabelDlg* dlg, int id) { return dlg->Control<QLineEdit>(id); }
    static void ClickRow(CLabelDlg* dlg, int row, bool doubleClick = false) {
        QListWidget* list = List(dlg);
        list->scrollToItem(list->item(row));
        const QPoint at = list->visualItemRect(list->item(row)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        if (doubleClick) {
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
        }
    }
    // Runs F2's command; `act` answers the label dialog and must close it.
    void RunLabel(std::function<void(CLabelDlg*)> act) {
        m_rows = -1;
        OnModal([this, act](QWidget* w) {
            auto* dlg = qobject_cast<CLabelDlg*>(w);
            if (dlg) {
                m_rows = List(dlg)->count();
                act(dlg);
            }
            if (w->isVisible()) {
                ADD_FAILURE() << "the label dialog was left open";
                w->close();
            }
        });
        Dispatch(cmd::ID_CURSOR_LABEL);
    }
    void TypeAndOk(const QString& name) {
        RunLabel([name](CLabelDlg* dlg) {
            QLineEdit* box = Box(dlg, IDC_EDIT1);
            box->setText(name);
            QTest::keyClick(box, Qt::Key_Return);
        });
    }
    int m_rows = -1;
};

class GoToLabelUncolored : public GoToLabel {
protected:
    QByteArray WordList() const override { return "!blue\nmes\n"; }
};

}  // namespace

TEST_F(GoToLabel, DialogListsEveryLabelLineAndCancelLeavesTheSelection) {
    Select(3, 5);
    QStringList listed;
    RunLabel([&](CLabelDlg* dlg) {
        for (int i = 0; i < List(dlg)->count(); ++i) {
            listed << List(dlg)->item(i)->text();
        }
        EXPECT_TRUE(List(dlg)->selectedItems().isEmpty());
        EXPECT_EQ(Box(dlg, IDC_EDIT1)->text(), "");
        EXPECT_TRUE(Box(dlg, IDC_EDIT2)->isReadOnly());
        EXPECT_EQ(dlg->focusWidget(), Box(dlg, IDC_EDIT1));
        dlg->reject();
    });
    EXPECT_EQ(listed,
              QStringList({"start", "loop", "sub", "Case", "", u"表示"_s, "", "CASE", "end"}));
    EXPECT_EQ(Sel(), "3,5");
    EXPECT_EQ(View()->Navigator().Marks().MarkCount(), 0);
}

TEST_F(GoToLabel, PickedRowsAndTypedNamesJumpToTheFirstMatchingLineStart) {
    QString nameBox, lineBox;
    RunLabel([&](CLabelDlg* dlg) {
        ClickRow(dlg, 1);
        nameBox = Box(dlg, IDC_EDIT1)->text();
        lineBox = Box(dlg, IDC_EDIT2)->text();
        dlg->Control<QPushButton>(IDOK)->click();
    });
    EXPECT_EQ(nameBox, "loop");
    EXPECT_EQ(lineBox, "2");
    EXPECT_EQ(Sel(), AtLineStart(1));  // column 0, although the "*" is indented

    // Names differing in case go to the first.
    RunLabel([&](CLabelDlg* dlg) {
        ClickRow(dlg, 7);  // "CASE" on line 9
        lineBox = Box(dlg, IDC_EDIT2)->text();
        dlg->Control<QPushButton>(IDOK)->click();
    });
    EXPECT_EQ(lineBox, "9");
    EXPECT_EQ(Sel(), AtLineStart(3));

    // Back returns from label jumps.
    Select(20, 23);
    TypeAndOk("end");
    TypeAndOk(u"表示"_s);
    EXPECT_EQ(Sel(), AtLineStart(5));
    Dispatch(cmd::ID_CURSOR_BACK);
    EXPECT_EQ(Sel(), AtLineStart(9));
    Dispatch(cmd::ID_CURSOR_BACK);
    EXPECT_EQ(Sel(), "20,23");

    // Unknown names report and change nothing.
    for (const char* name : {"star", "notlabel"}) {
        testutil::MessageBoxRecorder boxes;
        TypeAndOk(name);
        EXPECT_EQ(boxes.Texts(), QStringList{"ラベルが見つかりません。"}) << name;
        EXPECT_EQ(Sel(), "20,23");
    }
}

TEST_F(GoToLabel, LongLinesAndManyLabelsAreAllReachable) {
    // 300 labels, then one whose name runs past the part of the line that
    // is read.
    QStringList lines;
    for (int i = 0; i < 300; ++i) {
        lines << QString("*label%1").arg(i);
    }
    lines << QString(200, QChar('\t')) + "*" + QString(100, QChar('c'));
    SetText(lines.join('\n'));
    RunLabel([&](CLabelDlg* dlg) { ClickRow(dlg, 299, true); });
    EXPECT_EQ(m_rows, 301);
    EXPECT_EQ(Sel(), AtLineStart(299));
    // The cut name is the one listed and compared whole.
    View()->GotoLabel(QString(53, QChar('c')));
    EXPECT_EQ(Sel(), AtLineStart(300));
    testutil::MessageBoxRecorder boxes;
    View()->GotoLabel(QString(52, QChar('c')));
    EXPECT_EQ(boxes.Texts(), QStringList{"ラベルが見つかりません。"});
}

TEST_F(GoToLabelUncolored, WithoutALabelColorTheListIsEmptyButNamesAreFound) {
    TypeAndOk("SUB");
    EXPECT_EQ(m_rows, 0);
    EXPECT_EQ(Sel(), AtLineStart(2));
}
