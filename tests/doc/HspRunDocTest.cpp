// F5 on the document: settings and path decide where it runs; the document
// itself is left as it was; every message in one warning box.
#include "support/QuillTest.h"

#include "HspStandIn.h"

namespace {

class HspRunDoc : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
#ifndef QUILL_FIXTURE_DIR
        GTEST_SKIP() << "stand-ins not built";
#endif
        m_hsp = m_root.path() + "/hsp";
        ASSERT_TRUE(HspStandIn::Install(m_hsp));
        ASSERT_TRUE(Start());
    }

    // Runs F5 as the menu does, recording and closing every message box.
    std::vector<testutil::SeenBox> RunF5() {
        testutil::MessageBoxRecorder boxes;
        Frame()->DispatchCommand(cmd::ID_HSP_RUN);
        return boxes.Boxes();
    }

    QTemporaryDir m_root;
    QString m_hsp;
};

}  // namespace

TEST_F(HspRunDoc, UntitledScriptRunsInTheHspFolderAndStaysAsItWas) {
    App()->m_hspdir = m_hsp + "/";
    App()->m_exestat = 3;
    App()->m_cmdline = "level 2";
    View()->setPlainText("mes 1\nstop");
    Doc()->SetModifiedFlag(true);

    EXPECT_EQ(RunF5().size(), 0u);
    EXPECT_EQ(HspStandIn::WaitForRuntime(m_hsp),
              (QStringList{m_hsp, "*@" + m_hsp + "/obj", "level", "2"}));
    // The text as a save writes it, though it was never saved.
    EXPECT_EQ(testutil::ReadFile(m_hsp + "/hsptmp"), "mes 1\r\nstop");
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_TRUE(Doc()->GetPathName().isEmpty());
    EXPECT_EQ(Doc()->GetTitle(), QStringLiteral("無題"));
}

TEST_F(HspRunDoc, Utf8ScriptIsCompiledFromItsUtf8Bytes) {
    App()->m_hspdir = m_hsp + "/";
    View()->setPlainText(QStringLiteral("mes \"漢\"\nstop"));
    Doc()->SetEncoding(textenc::Encoding::Utf8);
    EXPECT_EQ(RunF5().size(), 0u);
    HspStandIn::WaitForRuntime(m_hsp);
    EXPECT_EQ(testutil::ReadFile(m_hsp + "/hsptmp"), "mes \"\xe6\xbc\xa2\"\r\nstop");
}

TEST_F(HspRunDoc, TitledScriptRunsInItsFolder) {
    const QString folder = m_root.path() + "/work";
    const QString script = testutil::WriteFile(m_root, "work/game.as", "stop\r\n");
    ASSERT_TRUE(App()->OpenDocumentFile(script));

    // The HSP folder typed with or without its final "/": the files go into
    // the folder either way, and the setting stays as typed.
    for (const QString& typed : {m_hsp + "/", m_hsp}) {
        SCOPED_TRACE(typed.toStdString());
        App()->m_hspdir = typed;
        QFile::remove(m_hsp + "/hsptmp");
        HspStandIn::ClearRecords(m_hsp);
        EXPECT_EQ(RunF5().size(), 0u);
        EXPECT_EQ(HspStandIn::WaitForRuntime(m_hsp), (QStringList{folder, m_hsp + "/obj"}));
        EXPECT_EQ(testutil::ReadFile(m_hsp + "/hsptmp"), "stop\r\n");
        EXPECT_FALSE(QFile::exists(m_hsp + "hsptmp"));
        EXPECT_EQ(App()->m_hspdir, typed);
    }
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(Doc()->GetPathName(), script);
    EXPECT_EQ(Doc()->GetTitle(), "game.as");

    // Without an HSP folder the bare names are found beside the script.
    ASSERT_TRUE(HspStandIn::Install(folder));
    App()->m_hspdir.clear();
    EXPECT_EQ(RunF5().size(), 0u);
    EXPECT_EQ(HspStandIn::WaitForRuntime(folder), (QStringList{folder, folder + "/obj"}));
    EXPECT_EQ(testutil::ReadFile(folder + "/obj"), "QUILLOBJ\nstop\r\n");
}

TEST_F(HspRunDoc, EveryFailureIsOneWarningBox) {
    // Untitled with no HSP folder: nowhere to run, nothing written.
    App()->m_hspdir.clear();
    const struct {
        QString script;
        QString message;
    } cases[] = {
        // Untitled with no HSP folder: nowhere to run, nothing written.
        {"mes 1", QStringLiteral("ディレクトリ設定エラー\nHSP システムのフォルダは「設定 → "
                                 "ディレクトリ設定」で設定します。")},
        // A failing compile: the compiler's own text; nothing started.
        {"mes 1\n#standin-fail\nstop", "stand-in: error in line 2"},
    };
    for (const auto& c : cases) {
        View()->setPlainText(c.script);
        const auto boxes = RunF5();
        ASSERT_EQ(boxes.size(), 1u) << c.script.toStdString();
        EXPECT_EQ(boxes[0].icon, QMessageBox::Warning);
        EXPECT_EQ(boxes[0].text, c.message);
        App()->m_hspdir = m_hsp + "/";
    }
    // Once the compiler's box is closed, the line it names is selected.
    EXPECT_EQ(View()->textCursor().selectedText(), "#standin-fail");
    EXPECT_FALSE(QFile::exists(QDir::current().filePath("hsptmp")));
    EXPECT_FALSE(HspStandIn::RuntimeStartedWithin(m_hsp, 300));
}
