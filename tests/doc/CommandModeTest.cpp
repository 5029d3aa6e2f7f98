// F5 through a command-line compiler and runtime (the stand-ins), with the
// output pane: what runs where, what the pane shows, the jump to the
// failing line, stopping, and which of the two ways F5 takes.
#include <gtest/gtest.h>

#include <signal.h>

#include <QDockWidget>
#include <QFile>
#include <QMessageBox>
#include <QTest>

#include "HspStandIn.h"
#include "app/CMainFrame.h"
#include "app/COutputPane.h"
#include "app/CQuillApp.h"
#include "doc/CCommandSession.h"
#include "doc/CQuillDoc.h"
#include "doc/HspCommand.h"
#include "res/CommandIds.h"
#include "support/AppFixture.h"
#include "support/MessageBoxRecorder.h"
#include "support/TestUtil.h"
#include "view/CQuillView.h"

namespace {

using Stage = CCommandSession::Stage;

class CommandMode : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
#ifndef QUILL_FIXTURE_DIR
        GTEST_SKIP() << "stand-ins not built";
#endif
        m_hsp = m_root.path() + QStringLiteral("/HSP フォルダ");
        ASSERT_TRUE(HspStandIn::InstallCommands(m_hsp));
        ASSERT_TRUE(Start());
        App()->m_hspdir = m_hsp + "/";
    }
    void TearDown() override {
        if (Doc()) {
            Session()->StopAndWait();
        }
        AppFixture::TearDown();
    }

    CCommandSession* Session() const {
        return Doc()->CommandSession();
    }
    COutputPane* Pane() const {
        return Frame()->OutputPane();
    }

    // F5 with `script` as the text; waits until the session is idle again
    // (or, with `until`, has reached that stage). Returns the message boxes.
    std::vector<testutil::SeenBox> RunF5(const QString& script, Stage until = Stage::Idle) {
        View()->setPlainText(script);
        testutil::MessageBoxRecorder boxes;
        Dispatch(cmd::ID_HSP_RUN);
        EXPECT_TRUE(QTest::qWaitFor([&] { return Session()->CurrentStage() == until; }, 10000));
        QTest::qWait(until == Stage::Idle ? 0 : 100);
        return boxes.Boxes();
    }
    QStringList PaneLines() const {
        return Pane()->Text()->toPlainText().split('\n');
    }
    int CaretLine() const {
        return View()->textCursor().blockNumber() + 1;
    }

    QTemporaryDir m_root;
    QString m_hsp;
};

TEST_F(CommandMode, CompilesInTheWorkingDirectoryThenRunsAndShowsAll) {
    const QString folder = m_root.path() + QStringLiteral("/作業 dir");
    const QString script = testutil::WriteFile(m_root, QStringLiteral("作業 dir/game.as"), "");
    ASSERT_TRUE(App()->OpenDocumentFile(script));
    App()->m_cmdline = R"(-v "save data")";
    EXPECT_TRUE(Frame()->OutputDock()->isHidden());

    EXPECT_TRUE(RunF5("mes 1\nstop").empty());
    const QString src = m_hsp + "/hsptmp";
    const QString obj = m_hsp + "/obj";
    EXPECT_EQ(HspStandIn::WaitForProgram(m_hsp, "hspcmp"), (QStringList{folder, "-o" + obj, src}));
    EXPECT_EQ(HspStandIn::WaitForProgram(m_hsp, "hsp3cl"),
              (QStringList{folder, obj, "-v", "save data"}));
    EXPECT_EQ(testutil::ReadFile(obj), "QUILLOBJ\nmes 1\r\nstop");

    QStringList lines = PaneLines();
    ASSERT_EQ(lines.size(), 10) << lines.join('\n').toStdString();
    lines[4] = lines[4].section(' ', 0, 1);
    EXPECT_EQ(lines,
              (QStringList{"> " + CommandLineText({m_hsp + "/hspcmp", "-o" + obj, src}),
                           "hspcmp stand-in: " + src, "終了 (0)",
                           "> " + CommandLineText({m_hsp + "/hsp3cl", obj, "-v", "save data"}),
                           "hsp3cl pid", "hsp3cl: " + obj, "hsp3cl: -v", "hsp3cl: save data",
                           "hsp3cl: to standard error", "終了 (0)"}));
    EXPECT_FALSE(Frame()->OutputDock()->isHidden());
    EXPECT_TRUE(Frame()->CommandAction(cmd::ID_VIEW_OUTPUT)->isChecked());
}

TEST_F(CommandMode, FailedCompileSelectsTheNamedLineAndMarksTheMessage) {
    const struct {
        const char* marker;
        int line;  // 0: no line of the script is named
    } cases[] = {
        {"#standin-fail", 3},
        {"#standin-fail %d行目: 未定義", 3},
        {"#standin-fail error in line %d [hsptmp]", 3},
        {"#standin-fail hsptmp(99) : past the end", 4},
        {"#standin-fail hsptmp(0) : before the start", 1},
        {"#standin-fail other.as(%d) : error", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.marker);
        HspStandIn::ClearRecords(m_hsp);
        QFile::remove(m_hsp + "/hsp3cl.log");
        View()->moveCursor(QTextCursor::Start);
        EXPECT_TRUE(RunF5(QString::fromUtf8("mes 1\nmes 2\n%1\nstop").arg(c.marker)).empty());
        EXPECT_EQ(PaneLines().last(), "エラー (1)");
        EXPECT_FALSE(HspStandIn::RuntimeStartedWithin(m_hsp, 0));
        EXPECT_FALSE(QFile::exists(m_hsp + "/hsp3cl.log"));
        if (c.line == 0) {
            EXPECT_EQ(Pane()->MarkedLine(), -1);
            EXPECT_EQ(CaretLine(), 1);
            continue;
        }
        EXPECT_EQ(Pane()->MarkedLine(), 2);  // after the command line and the stand-in's own
        EXPECT_EQ(CaretLine(), c.line);
        EXPECT_EQ(View()->textCursor().selectedText(),
                  View()->document()->findBlockByNumber(c.line - 1).text());
        EXPECT_EQ(Frame()->focusWidget(), View());
    }
}

TEST_F(CommandMode, StoppingTheRuntimeTheCompileAndTheTimeLimit) {
    App()->m_cmdline = "--sleep";
    RunF5("stop", Stage::Running);
    // F5 while it runs asks first; No leaves it running.
    testutil::WhenModalOf<QMessageBox>(
        [](QMessageBox* box) { box->button(QMessageBox::No)->click(); });
    Dispatch(cmd::ID_HSP_RUN);
    EXPECT_EQ(Session()->CurrentStage(), Stage::Running);
    EXPECT_TRUE(Pane()->StopButton()->isEnabled());
    Dispatch(cmd::ID_HSP_STOP);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Session()->CurrentStage() == Stage::Idle; }, 5000));
    EXPECT_EQ(PaneLines().last(), "停止しました");
    EXPECT_FALSE(Pane()->StopButton()->isEnabled());

    // Escape and the pane's button end a compile.
    for (const auto& stop : std::vector<std::function<void()>>{
             [&] { Dispatch(cmd::ID_CANCEL_EDIT_CNTR); }, [&] { Pane()->StopButton()->click(); }}) {
        RunF5("#standin-sleep", Stage::Compiling);
        stop();
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return Session()->CurrentStage() == Stage::Idle; }, 5000));
        EXPECT_EQ(PaneLines().last(), "停止しました");
    }

    QFile::remove(m_hsp + "/hsp3cl.log");
    Session()->SetCompileTimeLimit(1000);
    RunF5("#standin-sleep");
    EXPECT_EQ(PaneLines().last(), "1 秒たっても終わらないため停止しました");
    EXPECT_FALSE(QFile::exists(m_hsp + "/hsp3cl.log"));
}

TEST_F(CommandMode, FloodsAndBadBytesKeepTheLastLines) {
    RunF5("#standin-bytes\n#standin-flood 30000");
    const QStringList lines = PaneLines();
    EXPECT_EQ(lines.size(), COutputPane::kMaxLines);
    EXPECT_TRUE(lines.contains("flood line 30000"));
    EXPECT_EQ(lines.last(), "終了 (0)");

    RunF5("#standin-bytes");
    EXPECT_EQ(PaneLines().at(2), QStringLiteral("bad \uFFFD\uFFFD bytes \uFFFD"));
}

TEST_F(CommandMode, SettingsAndFolderDecideWhatF5Runs) {
    const QString missing = QStringLiteral("コンパイラ %1 が見つからないか、実行できません");
    const struct {
        QString compile;
        QString run;
        bool library;
        QString box;       // the start of the one message box, if any
        QString paneLast;  // the pane's last line, if the commands ran
    } cases[] = {
        // A compiler library in the folder wins over the commands.
        {kDefaultCompileCommand, kDefaultRunCommand, true, "", ""},
        {"", kDefaultRunCommand, false, "hspcmp.dll ファイルにアクセス出来ません。", ""},
        {"%hnone -o%o %s", kDefaultRunCommand, false, missing.arg(m_hsp + "/none"), ""},
        {"no-such-compiler-here %s", kDefaultRunCommand, false,
         missing.arg("no-such-compiler-here"), ""},
        {kDefaultCompileCommand, "", false, "", "コンパイル成功"},
        {kDefaultCompileCommand, "%hgone %o", false, "",
         QStringLiteral("%1 を起動できませんでした").arg(m_hsp + "/gone")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.compile.toStdString() + " | " + c.run.toStdString());
        HspStandIn::ClearRecords(m_hsp);
        QFile::remove(m_hsp + "/hspcmp.dll");
        if (c.library) {
            ASSERT_TRUE(HspStandIn::Install(m_hsp));
        }
        Pane()->Begin({});
        App()->m_compileCommand = c.compile;
        App()->m_runCommand = c.run;
        const auto boxes = RunF5("stop");
        ASSERT_EQ(boxes.size(), c.box.isEmpty() ? 0u : 1u);
        if (!c.box.isEmpty()) {
            EXPECT_TRUE(boxes[0].text.startsWith(c.box)) << boxes[0].text.toStdString();
        }
        EXPECT_EQ(HspStandIn::CompilerLog(m_hsp).contains("load"), c.library);
        EXPECT_EQ(PaneLines().last().startsWith(c.paneLast), true)
            << PaneLines().last().toStdString();
        QFile::remove(m_hsp + "/hsp2");
    }
}

TEST_F(CommandMode, QuittingLeavesTheProgramRunning) {
    App()->m_cmdline = "--sleep";
    RunF5("stop", Stage::Running);
    ASSERT_TRUE(QTest::qWaitFor([&] { return PaneLines().size() > 4; }, 5000));
    const qint64 pid = PaneLines().at(4).section(' ', 2).toLongLong();
    ASSERT_GT(pid, 0);
    m_app.reset();
    QTest::qWait(200);
    EXPECT_EQ(::kill(pid, 0), 0);
    ::kill(pid, SIGKILL);
}

}  // namespace
