// The QuickFileOpen settings dialog and the register-and-edit dialog,
// driven through the application's command.
#include "support/QuillTest.h"

#include "qfo/CQfoEntryDlg.h"
#include "qfo/CQfoSetDlg.h"
#include "qfo/QfoStore.h"
#include "qfo/QfoTestSupport.h"

namespace {

using testutil::WhenModalOf;

constexpr int kDelete = IDC_BUTTON1;  // of the settings dialog
constexpr int kAdd = IDC_BUTTON2;
constexpr int kEdit = IDC_BUTTON3;

void Click(CDialogBase* dialog, int id) {
    auto* button = qobject_cast<QAbstractButton*>(dialog->GetDlgItem(id));
    ASSERT_NE(button, nullptr) << id;
    button->click();
}

QStringList Items(const CQfoSetDlg* dlg) {
    return qfotest::Items(dlg->m_list);
}

void Pick(CQfoSetDlg* dlg, const QString& name) {
    qfotest::ClickItem(dlg->m_list, name);
}

const QString kNoSelection = "データが選択されていません。";
const QString kBadName = "登録名が入力されていないか、無効な文字が含まれています。";

// Runs `act`, which must show one message box; answers it with OK and
// returns its text.
QString MessageOf(const std::function<void()>& act) {
    testutil::MessageBoxRecorder boxes;
    act();
    EXPECT_EQ(boxes.Boxes().size(), 1u);
    return boxes.Texts().join('|');
}

// Fills the register-and-edit dialog and presses OK.
void FillAndOk(CQfoEntryDlg* entry, const QString& name, const QString& file) {
    entry->Control<QLineEdit>(IDC_EDIT1)->setText(name);
    entry->Control<QLineEdit>(IDC_EDIT2)->setText(file);
    Click(entry, IDOK);
}

class QfoSetDlgTest : public qfotest::QfoAppFixture {
protected:
    void RunSetDlg(std::function<void(CQfoSetDlg*)> drive) { RunDialog(cmd::ID_SET_QFO, drive); }
};

TEST_F(QfoSetDlgTest, SelectionShowsThePathAndEnterEditsTheSelectedEntry) {
    Entry("two", "/two.as");
    Entry("One", "/one.as");
    ASSERT_TRUE(QDir(ExeDir()).mkpath("QFO/sub"));
    RunSetDlg([](CQfoSetDlg* dlg) {
        EXPECT_EQ(Items(dlg), QStringList({"One", "sub", "two"}));
        EXPECT_EQ(dlg->m_count, 3);
        EXPECT_EQ(dlg->focusWidget(), dlg->GetDlgItem(IDOK));
        // Enter with nothing selected complains; Escape does nothing.
        EXPECT_EQ(MessageOf([&] { QTest::keyClick(dlg->GetDlgItem(IDOK), Qt::Key_Return); }),
                  kNoSelection);
        QTest::keyClick(dlg->m_list, Qt::Key_Escape);
        QTest::keyClick(dlg->GetDlgItem(IDOK), Qt::Key_Escape);
        EXPECT_TRUE(dlg->isVisible());

        Pick(dlg, "two");
        EXPECT_EQ(dlg->GetDlgItemText(IDC_EDIT1), "/two.as");
        // A subdirectory cannot be read: the shown path stays.
        Pick(dlg, "sub");
        EXPECT_EQ(dlg->GetDlgItemText(IDC_EDIT1), "/two.as");
        Pick(dlg, "One");
        bool opened = false;
        WhenModalOf<CQfoEntryDlg>([&](CQfoEntryDlg* entry) {
            opened = true;
            EXPECT_FALSE(entry->m_isNew);
            EXPECT_EQ(entry->GetDlgItemText(IDC_EDIT1), "One");
            EXPECT_EQ(entry->GetDlgItemText(IDC_EDIT2), "/one.as");
            EXPECT_EQ(entry->focusWidget(), entry->GetDlgItem(IDOK));
            Click(entry, IDCANCEL);
        });
        QTest::keyClick(dlg->m_list, Qt::Key_Return);
        EXPECT_TRUE(opened);
        // The list was read again: nothing is selected and the path is blank.
        EXPECT_TRUE(dlg->m_list->selectedItems().isEmpty());
        EXPECT_EQ(dlg->GetDlgItemText(IDC_EDIT1), "");
        dlg->close();  // the close box
    });
    EXPECT_EQ(QfoReadEntry("One"), QString("/one.as"));
}

TEST_F(QfoSetDlgTest, AddStoresTheEntryAndRefusesBadNamesUntilCorrected) {
    Entry("old", "/old.as");
    const QString outside = m_exeDir.filePath("evil");
    RunSetDlg([&](CQfoSetDlg* dlg) {
        WhenModalOf<CQfoEntryDlg>([&](CQfoEntryDlg* entry) {
            EXPECT_TRUE(entry->m_isNew);
            EXPECT_EQ(entry->GetDlgItemText(IDC_EDIT1), "");
            EXPECT_EQ(MessageOf([&] { FillAndOk(entry, "../evil", "rel/path.as"); }), kBadName);
            EXPECT_TRUE(entry->isVisible());
            EXPECT_EQ(entry->GetDlgItemText(IDC_EDIT1), "../evil");
            FillAndOk(entry, "新しい", "rel/path.as");
            EXPECT_FALSE(entry->isVisible());
        });
        Click(dlg, kAdd);
        EXPECT_EQ(Items(dlg), QStringList({"old", "新しい"}));
        Click(dlg, IDOK);
    });
    EXPECT_EQ(QfoReadEntry("新しい"), QString("rel/path.as"));
    EXPECT_FALSE(QFile::exists(outside));
}

TEST_F(QfoSetDlgTest, DeleteRemovesAtOnceAndComplainsWithoutSelectionOrWhenRefused) {
    Entry("a", "/a.as");
    Entry("b", "/b.as");
    ASSERT_TRUE(QDir(ExeDir()).mkpath("QFO/sub"));
    RunSetDlg([](CQfoSetDlg* dlg) {
        Pick(dlg, "a");
        Click(dlg, kDelete);
        EXPECT_EQ(Items(dlg), QStringList({"b", "sub"}));
        EXPECT_EQ(MessageOf([&] { Click(dlg, kDelete); }), kNoSelection);
        EXPECT_EQ(MessageOf([&] { Click(dlg, kEdit); }), kNoSelection);
        // A subdirectory cannot be deleted as an entry, and says so.
        Pick(dlg, "sub");
        EXPECT_EQ(MessageOf([&] { Click(dlg, kDelete); }),
                  QString::fromUtf8("登録を削除できませんでした。"));
        EXPECT_EQ(Items(dlg), QStringList({"b", "sub"}));
        Click(dlg, IDOK);
    });
    EXPECT_EQ(QfoListEntries(), QStringList({"b", "sub"}));
}

}  // namespace
