// Start-up: settings into the members, the command line, failures.
#include "support/QuillTest.h"

namespace {

using StartupTest = AppFixture;

TEST_F(StartupTest, SettingsAreReadAndTheCommandLineFileOpened) {
    settings::WriteString(settings::kHspDir, "/opt/hsp/");
    settings::WriteString(settings::kHspHelp, "/opt/hsp/help/");
    settings::WriteString(settings::kCmdLine, "  a b ");
    settings::WriteInt(settings::kExeStat, 7);
    const QString path = testutil::WriteFile(m_exeDir, "start.as", "mes \"hi\"\r\n");
    ASSERT_TRUE(Start({path}));
    EXPECT_EQ(App()->m_hspdir, "/opt/hsp/");
    EXPECT_EQ(App()->m_hsphelp, "/opt/hsp/help/");
    EXPECT_EQ(App()->m_cmdline, "  a b ");
    EXPECT_EQ(App()->m_exestat, 7);
    EXPECT_EQ(View()->toPlainText(), "mes \"hi\"\n");
    EXPECT_EQ(Frame()->windowTitle(), "start.as[*] - QUILL");
    EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(StartupTest, UnreadableCommandLineFileIsReportedOverTheWindowAndStartFails) {
    const QString path = m_exeDir.filePath("nope.as");
    QString shown;
    QWidget* owner = nullptr;
    testutil::WhenModal([&](QWidget* w) {
        shown = qobject_cast<QMessageBox*>(w)->text();
        owner = w->parentWidget();
        static_cast<QDialog*>(w)->accept();
    });
    EXPECT_FALSE(Start({path}));
    EXPECT_TRUE(shown.startsWith(path + " ")) << shown.toStdString();
    EXPECT_EQ(owner, Frame());
}

}  // namespace
