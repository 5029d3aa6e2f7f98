// Go to label: collecting, the label dialog and the jump, on the editor.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "NavTestSupport.h"
#include "nav/CLabelDlg.h"
#include "nav/CNavigator.h"
#include "res/CommandIds.h"
#include "res/DialogResources.h"
#include "support/MessageBoxRecorder.h"
#include "support/TestUtil.h"
#include "view/CQuillView.h"

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
        if (!list->item(row)) {
            ADD_FAILURE() << "no row " << row;
            dlg->reject();
            return;
        }
        list->scrollToItem(list->item(row));
        const QPoint at = list->visualItemRect(list->item(row)).center();
        if (!doubleClick) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
            return;
        }
        // A double click as the window system delivers it.
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
        if (dlg->isVisible()) {
            ADD_FAILURE() << "the double click did not end the dialog";
            dlg->reject();
        }
    }
    static void PressOk(CLabelDlg* dlg) {
        static_cast<QPushButton*>(dlg->GetDlgItem(IDOK))->click();
    }

    // Runs F2's command; `act` answers the label dialog.
    void RunLabel(std::function<void(CLabelDlg*)> act) {
        m_rows = -1;
        OnModal([this, act](QWidget* w) {
            auto* dlg = qobject_cast<CLabelDlg*>(w);
            if (!dlg) {
                w->close();
                return;
            }
            m_rows = List(dlg)->count();
            act(dlg);
        });
        Command(cmd::ID_CURSOR_LABEL);
    }

    void TypeAndOk(const QString& name) {
        RunLabel([name](CLabelDlg* dlg) {
            QLineEdit* box = Box(dlg, IDC_EDIT1);
            box->setText(name);
            QTest::keyClick(box, Qt::Key_Return);
        });
    }

    QString AtLineStart(int line) const { return QString("%1,%1").arg(LineStart(line)); }

    int m_rows = -1;
};

class GoToLabelUncolored : public GoToLabel {
protected:
    QByteArray WordList() const override { return "!blue\nmes\n"; }
};

}  // namespace

TEST_F(GoToLabel, CollectsEveryLabelLineInTextOrder) {
    QStringList names;
    QList<int> lines;
    for (const CNavigator::Label& l : View()->Navigator().CollectLabels()) {
        names << l.name;
        lines << l.line;
    }
    EXPECT_EQ(names, QStringList({"start", "loop", "sub", "Case", "", QString::fromUtf8("表示"), "",
                                  "CASE", "end"}));
    EXPECT_EQ(lines, QList<int>({1, 2, 3, 4, 5, 6, 8, 9, 10}));
}

TEST_F(GoToLabel, DialogOpensEmptyAndCancelLeavesTheSelection) {
    Select(3, 5);
    QStringList opened;
    RunLabel([&](CLabelDlg* dlg) {
        opened << dlg->windowTitle() << List(dlg)->item(5)->text()
               << QString::number(List(dlg)->selectedItems().size()) << Box(dlg, IDC_EDIT1)->text()
               << Box(dlg, IDC_EDIT2)->text()
               << (Box(dlg, IDC_EDIT2)->isReadOnly() ? "read-only" : "editable")
               << (dlg->focusWidget() == Box(dlg, IDC_EDIT1) ? "name focused" : "")
               << Sel();  // collecting leaves the selection
        dlg->reject();
    });
    EXPECT_EQ(opened,
              QStringList({QString::fromUtf8("ラベル名を入力して下さい"), QString::fromUtf8("表示"),
                           "0", "", "0", "read-only", "name focused", "3,5"}));
    EXPECT_EQ(m_rows, 9);
    EXPECT_EQ(Sel(), "3,5");
    EXPECT_EQ(View()->Navigator().Marks().MarkCount(), 0);
}

TEST_F(GoToLabel, PickedRowsAndTypedNamesJumpToTheFirstMatchingLineStart) {
    QString nameBox, lineBox;
    RunLabel([&](CLabelDlg* dlg) {
        ClickRow(dlg, 1);
        nameBox = Box(dlg, IDC_EDIT1)->text();
        lineBox = Box(dlg, IDC_EDIT2)->text();
        PressOk(dlg);
    });
    EXPECT_EQ(nameBox, "loop");
    EXPECT_EQ(lineBox, "2");
    EXPECT_EQ(Sel(), AtLineStart(1));  // column 0, although the "*" is indented

    // Names differing in case go to the first.
    RunLabel([&](CLabelDlg* dlg) {
        ClickRow(dlg, 7);  // "CASE" on line 9
        lineBox = Box(dlg, IDC_EDIT2)->text();
        PressOk(dlg);
    });
    EXPECT_EQ(lineBox, "9");
    EXPECT_EQ(Sel(), AtLineStart(3));
    TypeAndOk("cAsE");
    EXPECT_EQ(Sel(), AtLineStart(3));
    TypeAndOk("");
    EXPECT_EQ(Sel(), AtLineStart(4));  // "*ｱｲ": half-width katakana starts no name

    // Back returns from label jumps.
    Select(20, 23);
    TypeAndOk("end");
    TypeAndOk(QString::fromUtf8("表示"));
    EXPECT_EQ(Sel(), AtLineStart(5));
    Command(cmd::ID_CURSOR_BACK);
    EXPECT_EQ(Sel(), AtLineStart(9));
    Command(cmd::ID_CURSOR_BACK);
    EXPECT_EQ(Sel(), "20,23");
}

TEST_F(GoToLabel, UnknownNamesReportAndChangeNothing) {
    for (const char* name : {"*start", "star", "startx", "notlabel"}) {
        Select(2, 4);
        testutil::MessageBoxRecorder boxes;
        TypeAndOk(name);
        ASSERT_EQ(boxes.Texts(), QStringList{"ラベルが見つかりません。"}) << name;
        EXPECT_EQ(boxes.Boxes()[0].caption, "QUILL");
        EXPECT_EQ(boxes.Boxes()[0].icon, QMessageBox::NoIcon);
        EXPECT_TRUE(boxes.Boxes()[0].onlyOk);
        EXPECT_EQ(Sel(), "2,4");
    }
    EXPECT_EQ(View()->Navigator().Marks().MarkCount(), 0);
}

TEST_F(GoToLabel, LongLinesAndManyLabelsAreAllReachable) {
    // 300 labels; one far to the right, one whose name runs past the part
    // of the line that is read.
    QStringList lines;
    for (int i = 0; i < 300; ++i) {
        lines << QString("*label%1").arg(i);
    }
    const QString farName = QString(80, QChar('f'));
    lines << QString(100, QChar(' ')) + "*" + farName;
    lines << QString(200, QChar('\t')) + "*" + QString(100, QChar('c'));
    SetText(lines.join('\n'));

    RunLabel([&](CLabelDlg* dlg) { ClickRow(dlg, 299, true); });
    EXPECT_EQ(m_rows, 302);
    EXPECT_EQ(Sel(), AtLineStart(299));

    View()->GotoLabel(farName);
    EXPECT_EQ(Sel(), AtLineStart(300));

    // The cut name is the one listed and compared whole.
    const QList<CNavigator::Label> labels = View()->Navigator().CollectLabels();
    ASSERT_EQ(labels.size(), 302);
    EXPECT_EQ(labels.last().name, QString(53, QChar('c')));
    View()->GotoLabel(labels.last().name);
    EXPECT_EQ(Sel(), AtLineStart(301));
    testutil::MessageBoxRecorder boxes;
    View()->GotoLabel(QString(52, QChar('c')));
    EXPECT_EQ(boxes.Texts(), QStringList{"ラベルが見つかりません。"});
}

TEST_F(GoToLabelUncolored, WithoutALabelColorTheListIsEmptyButNamesAreFound) {
    ASSERT_FALSE(View()->KeywordTable().Contains("*"));
    TypeAndOk("SUB");
    EXPECT_EQ(m_rows, 0);
    EXPECT_EQ(Sel(), AtLineStart(2));
}
