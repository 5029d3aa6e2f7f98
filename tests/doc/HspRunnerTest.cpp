// Compile and run with the stand-in compiler library and runtime.
#include "support/QuillTest.h"

#include "HspStandIn.h"
#include "doc/CHspCompiler.h"
#include "doc/CHspRunner.h"
#include "doc/HspRunPlan.h"

namespace {

class HspRunner : public ::testing::Test {
protected:
    void SetUp() override {
#ifndef QUILL_FIXTURE_DIR
        GTEST_SKIP() << "stand-ins not built";
#endif
        // A folder name with a space: nothing may split it.
        m_hsp = m_root.path() + "/HSP folder";
        ASSERT_TRUE(HspStandIn::Install(m_hsp));
    }

    HspRunPlan Plan(int exestat = 0, const QString& cmdline = QString(),
                    const QString& docPath = QString()) const {
        return MakeHspRunPlan(m_hsp + "/", exestat, cmdline, docPath, QDir::currentPath());
    }

    // Runs with `script` as the text; returns the message, if any.
    static std::optional<QString> Run(const HspRunPlan& plan, const QByteArray& script) {
        return CHspRunner::Run(plan, [script](QByteArray* bytes, QString*) {
            *bytes = script;
            return true;
        });
    }

    QTemporaryDir m_root;
    QString m_hsp;
};

}  // namespace

TEST_F(HspRunner, PassingCompileCallsTheLibraryInOrderThenStartsTheRuntime) {
    const QString before = QDir::currentPath();
    const QByteArray script = "mes \"hello\"\r\nstop\r\n";
    EXPECT_EQ(Run(Plan(3, R"(-v "two words" x;y $HOME)"), script), std::nullopt);
    EXPECT_EQ(QDir::currentPath(), before);

    const QString src = m_hsp + "/hsptmp";
    const QString obj = m_hsp + "/obj";
    EXPECT_EQ(
        HspStandIn::CompilerLog(m_hsp),
        (QStringList{"load", "hsc_ini\t0\t" + src + "\t0\t0", "hsc_objname\t0\t" + obj + "\t0\t0",
                     "hsc_comp\t1\t0\t0\t0", "hsc_bye\t0\t0\t0\t0", "unload"}));
    EXPECT_EQ(testutil::ReadFile(src), script);
    EXPECT_EQ(testutil::ReadFile(obj), "QUILLOBJ\n" + script);
    // An untitled script runs in the HSP folder; arguments are passed whole.
    EXPECT_EQ(HspStandIn::WaitForRuntime(m_hsp),
              (QStringList{m_hsp, "*@" + obj, "-v", "two words", "x;y", "$HOME"}));
}

TEST_F(HspRunner, FailingCompileShowsTheCompilersTextAndStartsNothing) {
    const std::optional<QString> message = Run(Plan(), "mes 1\r\n#standin-fail\r\n");
    EXPECT_EQ(message, QStringLiteral("stand-in: error in line 2"));
    const QStringList log = HspStandIn::CompilerLog(m_hsp);
    ASSERT_EQ(log.size(), 7);
    EXPECT_EQ(log[4], "hsc_getmes\tbuffer\t0\t0\t0");
    EXPECT_EQ(log[5], "hsc_bye\t0\t0\t0\t0");
    EXPECT_EQ(log[6], "unload");
    EXPECT_FALSE(QFile::exists(m_hsp + "/obj"));
    EXPECT_FALSE(HspStandIn::RuntimeStartedWithin(m_hsp, 300));

    // The stand-in fills all 32,000 bytes and writes no terminating zero.
    EXPECT_EQ(Run(Plan(), "#standin-flood\n"),
              QString(CHspCompiler::kMessageBufferSize - 1, QLatin1Char('x')));
}

TEST_F(HspRunner, MissingEntryPointIsReportedAndNothingIsCalled) {
    const QString other = m_root.path() + "/partial";
    ASSERT_TRUE(HspStandIn::Install(other, "noentry/hspcmp.dll"));
    const std::optional<QString> message =
        Run(MakeHspRunPlan(other + "/", 0, "", "", QDir::currentPath()), "stop\n");
    ASSERT_TRUE(message.has_value());
    EXPECT_TRUE(message->contains("hsc_getmes")) << message->toStdString();
    EXPECT_EQ(HspStandIn::CompilerLog(other), (QStringList{"load", "unload"}));
    EXPECT_FALSE(HspStandIn::RuntimeStartedWithin(other, 200));
}

// A failure the HSP folder setting can mend: its own first line, then where
// that setting is made.
static QString Hinted(const char* first) {
    return QString::fromUtf8(first) +
           "\nHSP システムのフォルダは「設定 → ディレクトリ設定」で設定します。";
}

TEST_F(HspRunner, FailuresBeforeTheCompile) {
    // No library: the source has been written.
    QFile::remove(m_hsp + "/hspcmp.dll");
    EXPECT_EQ(Run(Plan(), "stop\n"), Hinted("hspcmp.dll ファイルにアクセス出来ません。"));
    EXPECT_EQ(testutil::ReadFile(m_hsp + "/hsptmp"), "stop\n");

    // The source cannot be created.
    QFile::remove(m_hsp + "/hsptmp");
    ASSERT_TRUE(QDir(m_hsp).mkdir("hsptmp"));
    EXPECT_EQ(Run(Plan(), "stop\n"), Hinted("hsptmp ファイルにアクセス出来ません。"));
    QDir(m_hsp).rmdir("hsptmp");

    // The text cannot be encoded: its message, and nothing is written.
    const std::optional<QString> refused = CHspRunner::Run(Plan(), [](QByteArray*, QString* error) {
        *error = "cannot encode";
        return false;
    });
    EXPECT_EQ(refused, QStringLiteral("cannot encode"));
    EXPECT_FALSE(QFile::exists(m_hsp + "/hsptmp"));

    // The script's folder has gone: nothing is written anywhere.
    EXPECT_EQ(Run(Plan(0, "", m_root.path() + "/gone/game.as"), "stop\n"),
              Hinted("ディレクトリ設定エラー"));
    EXPECT_FALSE(QFile::exists(m_hsp + "/hsptmp"));
}

TEST_F(HspRunner, WriteFailureIsReportedWithThePath) {
    if (!QFile::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full";
    }
    ASSERT_TRUE(QFile::link("/dev/full", m_hsp + "/hsptmp"));
    const std::optional<QString> message = Run(Plan(), QByteArray(10000, 'a'));
    EXPECT_EQ(message,
              m_hsp + "/hsptmp" + QStringLiteral(" の書き込み中に予期しないｴﾗｰが発生しました。"));
    EXPECT_TRUE(HspStandIn::CompilerLog(m_hsp).isEmpty());
}
