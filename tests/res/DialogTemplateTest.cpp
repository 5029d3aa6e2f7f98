// The dialog layouts and the code that builds dialogs from them.
#include "support/QuillTest.h"

#include "res/CDialogBase.h"
#include "res/DialogUnits.h"

namespace {

// A dialog whose OK stays open unless allowed to close.
class KeepOpenDialog : public CDialogBase {
public:
    KeepOpenDialog() : CDialogBase(IDD_LINE) {}
    bool allowClose = false;
    int okCalls = 0;
    int initCalls = 0;

protected:
    void OnInitDialog() override { ++initCalls; }
    void OnOK() override {
        ++okCalls;
        if (allowClose) {
            CDialogBase::OnOK();
        }
    }
};

}  // namespace

TEST(DialogUnits, MapsEachEdgeWithRounding) {
    EXPECT_EQ(MulDivRound(5, 3, 2), 8);  // 7.5 rounds up
    EXPECT_EQ(MulDivRound(-5, 3, 2), -8);
    // Edges are converted one by one, so the width follows from them.
    const QRect r = MapDialogRect(QRect(10, 20, 60, 8), {6, 13});
    EXPECT_EQ(r, QRect(QPoint(15, 33), QPoint(104, 45)));  // right 105, bottom 46 exclusive
}

TEST(CDialogBase, BuildsControlsWithStylesAndFindsThemById) {
    CDialogBase dialog(IDD_DIRECTORY);
    EXPECT_TRUE(dialog.Control<QPushButton>(IDOK)->isDefault());
    EXPECT_FALSE(dialog.Control<QPushButton>(IDCANCEL)->isDefault());
    // The wrong type or an unknown id gives null.
    EXPECT_EQ(dialog.Control<QPushButton>(IDC_EDIT1), nullptr);
    EXPECT_EQ(dialog.GetDlgItem(4242), nullptr);
    dialog.SetDlgItemText(IDC_EDIT2, QStringLiteral("/opt/hsp/"));
    EXPECT_EQ(dialog.Control<QLineEdit>(IDC_EDIT2)->text(), QStringLiteral("/opt/hsp/"));

    CDialogBase label(IDD_LABEL);
    auto* line = label.Control<QLineEdit>(IDC_EDIT2);
    ASSERT_NE(line, nullptr);
    EXPECT_TRUE(line->isReadOnly());
    EXPECT_TRUE(line->alignment() & Qt::AlignRight);
    auto* list = label.Control<QListWidget>(IDC_LIST1);
    ASSERT_NE(list, nullptr);
    EXPECT_FALSE(list->isSortingEnabled());
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);
    // A label's text is shown as it stands, never as markup.
    bool star = false;
    for (QLabel* l : label.findChildren<QLabel*>()) {
        star = star || l->text() == QStringLiteral("*");
    }
    EXPECT_TRUE(star);
}

TEST(CDialogBase, SizesAreInUnitsOfTheDialogFont) {
    CDialogBase dialog(IDD_RUNOPTION);
    const DialogBaseUnits units = BaseUnitsOf(dialog.font());
    EXPECT_EQ(dialog.size(), MapDialogRect(QRect(0, 0, 194, 79), units).size());
    EXPECT_EQ(dialog.GetDlgItem(IDC_EDIT1)->geometry(),
              MapDialogRect(QRect(55, 15, 129, 15), units));
}

TEST(CDialogBase, OkCancelEscapeAndEnterEndTheDialog) {
    const struct {
        std::function<void(CDialogBase&)> act;
        int result;
    } cases[] = {
        {[](CDialogBase& d) { d.Control<QPushButton>(IDOK)->click(); }, IDOK},
        {[](CDialogBase& d) { d.Control<QPushButton>(IDCANCEL)->click(); }, IDCANCEL},
        {[](CDialogBase& d) { QTest::keyClick(&d, Qt::Key_Escape); }, IDCANCEL},
        // Enter in the edit box presses the default button.
        {[](CDialogBase& d) {
             d.Control<QLineEdit>(IDC_EDIT1)->setFocus();
             QTest::keyClick(d.Control<QLineEdit>(IDC_EDIT1), Qt::Key_Return);
         },
         IDOK},
    };
    for (const auto& c : cases) {
        CDialogBase dialog(IDD_LINE);
        testutil::WhenModal([&](QWidget*) { c.act(dialog); });
        EXPECT_EQ(dialog.DoModal(), c.result);
    }
}

TEST(CDialogBase, OnOkDecidesWhetherTheDialogCloses) {
    KeepOpenDialog dialog;
    testutil::WhenModal([&](QWidget*) {
        dialog.Control<QPushButton>(IDOK)->click();
        EXPECT_TRUE(dialog.isVisible());
        dialog.allowClose = true;
        dialog.Control<QPushButton>(IDOK)->click();
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.okCalls, 2);
    EXPECT_EQ(dialog.initCalls, 1);
}
