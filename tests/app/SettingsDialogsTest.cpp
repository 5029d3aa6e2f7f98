// The directory and run option dialogs, opened by their commands.
#include "support/QuillTest.h"

#include "app/CCommandDlg.h"
#include "app/CDirDlg.h"
#include "app/CRunOptionDlg.h"
#include "app/SettingsStore.h"
#include "doc/HspCommand.h"
#include "res/CommandIds.h"
#include "res/DialogResources.h"
#include "support/AppFixture.h"
#include "support/TestUtil.h"

namespace {

class SettingsDialogs : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        ASSERT_TRUE(Start());
    }
    void TearDown() override {
        CDirDlg::SetFolderPickerForTesting({});
        AppFixture::TearDown();
    }

    static QLineEdit* Box(CDialogBase* dlg, int id) { return dlg->Control<QLineEdit>(id); }
    static void Click(CDialogBase* dlg, int id) { dlg->Control<QPushButton>(id)->click(); }
};

}  // namespace

TEST_F(SettingsDialogs, DirectoryOkWritesBothKeysAndTheAppTakesThem) {
    App()->m_hspdir = "/old/hsp/";
    App()->m_hsphelp = "/old/help/";
    RunDialog<CDirDlg>(cmd::ID_SET_DIRECTORY, [](CDirDlg* dlg) {
        EXPECT_EQ(Box(dlg, IDC_EDIT1)->text(), "/old/hsp/");
        EXPECT_EQ(Box(dlg, IDC_EDIT2)->text(), "/old/help/");
        // Typed folders are kept as typed, without a final "/".
        Box(dlg, IDC_EDIT1)->setText("/opt/my hsp");
        Box(dlg, IDC_EDIT2)->clear();
        Click(dlg, IDOK);
    });
    EXPECT_EQ(App()->m_hspdir, "/opt/my hsp");
    EXPECT_EQ(App()->m_hsphelp, "");
    EXPECT_EQ(settings::GetString(settings::kHspDir), "/opt/my hsp");
    EXPECT_TRUE(settings::Contains(settings::kHspHelp));
    EXPECT_EQ(settings::GetString(settings::kHspHelp), "");
}

TEST_F(SettingsDialogs, BrowsingAppendsASlashAndCancelStillChangesNothing) {
    App()->m_hspdir = "/old/hsp/";
    App()->m_hsphelp = "/old/help/";
    QStringList answers{"/home/u/hsp", "/", ""};
    QString askedTitle;
    CDirDlg::SetFolderPickerForTesting([&](QWidget*, const QString& title) {
        askedTitle = title;
        return answers.takeFirst();
    });
    RunDialog<CDirDlg>(cmd::ID_SET_DIRECTORY, [](CDirDlg* dlg) {
        Click(dlg, IDC_BUTTON1);
        EXPECT_EQ(Box(dlg, IDC_EDIT1)->text(), "/home/u/hsp/");
        EXPECT_EQ(Box(dlg, IDC_EDIT2)->text(), "/old/help/");
        Click(dlg, IDC_BUTTON2);
        EXPECT_EQ(Box(dlg, IDC_EDIT2)->text(), "/");
        // A cancelled picker leaves the box alone.
        Click(dlg, IDC_BUTTON1);
        EXPECT_EQ(Box(dlg, IDC_EDIT1)->text(), "/home/u/hsp/");
        Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(askedTitle, QStringLiteral("フォルダを選択してください"));
    EXPECT_TRUE(answers.isEmpty());
    EXPECT_EQ(App()->m_hspdir, "/old/hsp/");
    EXPECT_EQ(App()->m_hsphelp, "/old/help/");
    EXPECT_FALSE(settings::Contains(settings::kHspDir));
    EXPECT_FALSE(settings::Contains(settings::kHspHelp));
}

TEST_F(SettingsDialogs, RunOptionOkStoresAnyTextExactlyAndCancelNothing) {
    App()->m_cmdline = "keep";
    RunDialog<CRunOptionDlg>(cmd::ID_HSP_CMDLINE, [](CRunOptionDlg* dlg) {
        Box(dlg, IDC_EDIT1)->setText("changed");
        QTest::keyClick(dlg, Qt::Key_Escape);
    });
    EXPECT_EQ(App()->m_cmdline, "keep");
    EXPECT_FALSE(settings::Contains(settings::kCmdLine));
    for (const QString& text :
         {QString("-w \"a b\", c\\d"), QString("   "), QString(), QString(40000, 'x')}) {
        App()->m_cmdline = "before";
        RunDialog<CRunOptionDlg>(cmd::ID_HSP_CMDLINE, [&](CRunOptionDlg* dlg) {
            EXPECT_EQ(Box(dlg, IDC_EDIT1)->text(), "before");
            Box(dlg, IDC_EDIT1)->setText(text);
            Click(dlg, IDOK);
        });
        EXPECT_EQ(App()->m_cmdline, text);
        EXPECT_TRUE(settings::Contains(settings::kCmdLine));
        EXPECT_EQ(settings::GetString(settings::kCmdLine), text);
    }
}

TEST_F(SettingsDialogs, CommandsStartAsTheDefaultsAndOkKeepsWhatWasTyped) {
    const QString compile = QString::fromUtf8(kDefaultCompileCommand);
    const QString run = QString::fromUtf8(kDefaultRunCommand);
    EXPECT_EQ(App()->m_compileCommand, compile);
    EXPECT_EQ(App()->m_runCommand, run);
    RunDialog<CCommandDlg>(cmd::ID_SET_COMMANDS, [](CCommandDlg* dlg) {
        Box(dlg, IDC_EDIT1)->setText("x");
        Box(dlg, IDC_EDIT2)->clear();
        Click(dlg, IDC_BUTTON1);
        EXPECT_EQ(Box(dlg, IDC_EDIT1)->text(), kDefaultCompileCommand);
        EXPECT_EQ(Box(dlg, IDC_EDIT2)->text(), kDefaultRunCommand);
        // An empty run command compiles only; 100% and quotes stay as typed.
        Box(dlg, IDC_EDIT1)->setText(R"('/opt/a b/hspcmp' -o%o "%s" 100%, x;y)");
        Box(dlg, IDC_EDIT2)->clear();
        Click(dlg, IDOK);
    });
    const QString typed = R"('/opt/a b/hspcmp' -o%o "%s" 100%, x;y)";
    EXPECT_EQ(App()->m_compileCommand, typed);
    EXPECT_EQ(App()->m_runCommand, "");
    EXPECT_EQ(settings::Command(settings::kCompileCommand, compile), typed);
    EXPECT_EQ(settings::Command(settings::kRunCommand, run), "");
}
