// The dialog layouts and the code that builds dialogs from them.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "res/CDialogBase.h"
#include "res/DialogResources.h"
#include "res/DialogUnits.h"
#include "support/TestUtil.h"

namespace {

QStringList LabelTexts(const QDialog& dialog) {
    QStringList texts;
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (!label->text().isEmpty()) {
            texts << label->text();
        }
    }
    return texts;
}

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
    EXPECT_EQ(MulDivRound(7, 6, 4), 11);  // 10.5
    // Edges are converted one by one, so the width follows from them.
    const QRect r = MapDialogRect(QRect(10, 20, 60, 8), {6, 13});
    EXPECT_EQ(r, QRect(QPoint(15, 33), QPoint(104, 45)));  // right 105, bottom 46 exclusive
}

TEST(DialogResources, EveryDialogOfTheEditorExists) {
    for (int id : {IDD_ABOUTBOX, IDD_LABEL, IDD_LINE, IDD_DIRECTORY, IDD_RUNOPTION, IDD_QFOSET,
                   IDD_QFOENTRY, IDD_QFOPOPUP}) {
        const DlgTemplate* t = FindDlgTemplate(id);
        ASSERT_NE(t, nullptr) << id;
        EXPECT_STREQ(t->fontFace, "ＭＳ Ｐゴシック");
        EXPECT_EQ(t->pointSize, 9);
        ASSERT_GT(t->controlCount, 0u);
        for (std::size_t i = 0; i < t->controlCount; ++i) {
            const DlgControl& c = t->controls[i];
            // Every control lies inside its dialog.
            EXPECT_LE(c.x + c.w, t->w) << id << " control " << c.id;
            EXPECT_LE(c.y + c.h, t->h) << id << " control " << c.id;
        }
    }
    EXPECT_EQ(FindDlgTemplate(999), nullptr);
}

TEST(CDialogBase, BuildsControlsWithTextsAndFindsThemById) {
    CDialogBase dialog(IDD_DIRECTORY);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("ディレクトリの位置を入力して下さい"));
    auto* ok = dialog.Control<QPushButton>(IDOK);
    auto* cancel = dialog.Control<QPushButton>(IDCANCEL);
    ASSERT_TRUE(ok && cancel);
    EXPECT_TRUE(ok->isDefault());
    EXPECT_FALSE(cancel->isDefault());
    EXPECT_EQ(cancel->text(), QStringLiteral("ｷｬﾝｾﾙ"));
    ASSERT_NE(dialog.Control<QLineEdit>(IDC_EDIT1), nullptr);
    ASSERT_NE(dialog.Control<QLineEdit>(IDC_EDIT2), nullptr);
    EXPECT_EQ(dialog.GetDlgItemText(IDC_BUTTON1), QStringLiteral("参照"));
    EXPECT_EQ(dialog.GetDlgItemText(IDC_BUTTON2), QStringLiteral("参照"));
    // The wrong type or an unknown id gives null.
    EXPECT_EQ(dialog.Control<QPushButton>(IDC_EDIT1), nullptr);
    EXPECT_EQ(dialog.GetDlgItem(4242), nullptr);
    EXPECT_TRUE(LabelTexts(dialog).contains(QStringLiteral("HSPシステムの位置")));
    EXPECT_TRUE(LabelTexts(dialog).contains(QStringLiteral("HSPヘルプの位置")));

    dialog.SetDlgItemText(IDC_EDIT2, QStringLiteral("/opt/hsp/"));
    EXPECT_EQ(dialog.GetDlgItemText(IDC_EDIT2), QStringLiteral("/opt/hsp/"));
}

TEST(CDialogBase, ListAndEditStylesApply) {
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
    EXPECT_TRUE(LabelTexts(label).contains(QStringLiteral("*")));

    CDialogBase popup(IDD_QFOPOPUP);
    EXPECT_TRUE(popup.windowFlags() & Qt::FramelessWindowHint);
    auto* sorted = popup.Control<QListWidget>(IDC_LIST1);
    ASSERT_NE(sorted, nullptr);
    EXPECT_TRUE(sorted->isSortingEnabled());
    // The list fills the whole popup.
    EXPECT_EQ(sorted->geometry(), QRect(QPoint(0, 0), popup.size()));
}

TEST(CDialogBase, SizesFollowTheDialogFont) {
    CDialogBase dialog(IDD_RUNOPTION);
    const DialogBaseUnits small = BaseUnitsOf(dialog.font());
    EXPECT_EQ(dialog.size(), MapDialogRect(QRect(0, 0, 194, 79), small).size());
    EXPECT_EQ(dialog.GetDlgItem(IDC_EDIT1)->geometry(),
              MapDialogRect(QRect(55, 15, 129, 15), small));

    QFont big = dialog.font();
    big.setPointSize(dialog.font().pointSize() * 2);
    dialog.SetDialogFont(big);
    const DialogBaseUnits large = BaseUnitsOf(big);
    EXPECT_GT(large.cx, small.cx);
    EXPECT_GT(large.cy, small.cy);
    EXPECT_EQ(dialog.size(), MapDialogRect(QRect(0, 0, 194, 79), large).size());
    EXPECT_EQ(dialog.GetDlgItem(IDOK)->geometry(), MapDialogRect(QRect(55, 45, 50, 20), large));
}

TEST(CDialogBase, OkCancelAndEscapeEndTheDialog) {
    {
        CDialogBase dialog(IDD_LINE);
        testutil::WhenModal([&](QWidget*) { dialog.Control<QPushButton>(IDOK)->click(); });
        EXPECT_EQ(dialog.DoModal(), IDOK);
    }
    {
        CDialogBase dialog(IDD_LINE);
        testutil::WhenModal([&](QWidget*) { dialog.Control<QPushButton>(IDCANCEL)->click(); });
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    }
    {
        CDialogBase dialog(IDD_LINE);
        testutil::WhenModal([](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    }
    {
        // Enter in the edit box presses the default button.
        CDialogBase dialog(IDD_LINE);
        testutil::WhenModal([&](QWidget*) {
            QLineEdit* edit = dialog.Control<QLineEdit>(IDC_EDIT1);
            edit->setFocus();
            QTest::keyClick(edit, Qt::Key_Return);
        });
        EXPECT_EQ(dialog.DoModal(), IDOK);
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

TEST(CDialogBase, AboutBoxShowsIconAndVersion) {
    CDialogBase about(IDD_ABOUTBOX);
    EXPECT_TRUE(LabelTexts(about).contains(QStringLiteral("QUILL Version 1.04")));
    bool hasIcon = false;
    for (QLabel* label : about.findChildren<QLabel*>()) {
        hasIcon = hasIcon || !label->pixmap().isNull();
    }
    EXPECT_TRUE(hasIcon);
}
