// The real editor, killed and started again: typed work comes back through
// the recovery copy. Runs build/quill on a private X server (Xvfb) and types
// with xdotool; skipped when either is missing.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

#include "doc/CRecoveryKeeper.h"
#include "doc/RecoveryCopy.h"
#include "support/TestUtil.h"

namespace {

constexpr int kWaitMs = 15000;

bool WaitUntil(const std::function<bool()>& done, int timeoutMs = kWaitMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs) {
            return false;
        }
        QTest::qWait(50);
    }
    return true;
}

class RecoveryProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable("Xvfb").isEmpty() ||
            QStandardPaths::findExecutable("xdotool").isEmpty()) {
            GTEST_SKIP() << "Xvfb and xdotool are needed (scripts/setup.sh installs them)";
        }
        // A display number of its own, away from the ones people use, and a
        // new one for each test.
        static int next = 200 + QCoreApplication::applicationPid() % 500;
        m_env = QProcessEnvironment::systemEnvironment();
        for (int display = next;; ++display) {
            const QString name = QStringLiteral(":%1").arg(display);
            const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(display);
            if (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(display)) ||
                QFile::exists(socket)) {
                continue;
            }
            next = display + 1;
            m_xvfb = std::make_unique<QProcess>();
            // The server writes its display number to its output once it is ready.
            m_xvfb->start("Xvfb", {name, "-displayfd", "1", "-screen", "0", "1024x768x24",
                                   "-nolisten", "tcp", "-noreset"});
            ASSERT_TRUE(WaitUntil(
                [&] { return m_xvfb->canReadLine() || m_xvfb->state() == QProcess::NotRunning; }));
            if (m_xvfb->state() != QProcess::NotRunning) {
                m_env.insert("DISPLAY", name);
                break;
            }
        }
        m_env.insert("QT_QPA_PLATFORM", "xcb");
        m_env.insert("XDG_STATE_HOME", m_home.filePath("state"));
        m_env.insert("XDG_CONFIG_HOME", m_home.filePath("config"));
        m_script = testutil::WriteFile(m_home, "s.as", kScript);
    }
    void TearDown() override {
        for (auto& quill : m_quills) {
            quill->kill();
            quill->waitForFinished();
        }
        if (m_xvfb) {
            m_xvfb->terminate();
            m_xvfb->waitForFinished();
        }
    }

    QProcess* StartQuill(const QStringList& args) {
        m_quills.push_back(std::make_unique<QProcess>());
        QProcess* quill = m_quills.back().get();
        quill->setProcessEnvironment(m_env);
        quill->start(QUILL_BINARY, args);
        return quill;
    }
    QString Xdo(const QStringList& args) {
        QProcess xdo;
        xdo.setProcessEnvironment(m_env);
        xdo.start("xdotool", args);
        xdo.waitForFinished();
        return QString::fromUtf8(xdo.readAllStandardOutput()).trimmed();
    }
    // Gives the keyboard to the visible window whose title matches `title`.
    bool Focus(const QString& title) {
        QString id;
        if (!WaitUntil([&] {
                id = Xdo({"search", "--onlyvisible", "--name", title}).section('\n', 0, 0);
                return !id.isEmpty();
            })) {
            return false;
        }
        Xdo({"windowfocus", "--sync", id});
        return true;
    }
    void Keys(const QString& keys) { Xdo({"key", "--delay", "50", keys}); }
    void Type(const QString& text) { Xdo({"type", "--delay", "50", text}); }

    QStringList Copies() const {
        return QDir(m_home.filePath("state/QUILL/recovery")).entryList({"*.rec"}, QDir::Files);
    }
    // The one recovery copy, read back; nullopt when there is none.
    std::optional<RecoveryCopy> OnlyCopy() const {
        const QStringList copies = Copies();
        if (copies.size() != 1) {
            return std::nullopt;
        }
        QString why;
        return ParseRecoveryCopy(
            testutil::ReadFile(m_home.filePath("state/QUILL/recovery/" + copies.first())), &why);
    }
    // Starts the editor, types, waits past the delay and kills it.
    void TypeAndKill(const QStringList& args, const QString& title, const QString& text) {
        QProcess* quill = StartQuill(args);
        ASSERT_TRUE(Focus(title));
        Type(text);
        QTest::qWait(CRecoveryKeeper::kQuietMs);
        ASSERT_TRUE(WaitUntil([&] { return OnlyCopy().has_value(); }));
        quill->kill();
        quill->waitForFinished();
    }
    // Starts the editor again and answers the question with `key`.
    QProcess* Restart(const QStringList& args, const QString& key) {
        QProcess* quill = StartQuill(args);
        EXPECT_TRUE(Focus("^QUILL$"));
        Keys(key);
        return quill;
    }

    static constexpr char kScript[] = "mes \"\x82\xa0\"\r\nstop\r\n";
    QTemporaryDir m_home;
    std::unique_ptr<QProcess> m_xvfb;
    QProcessEnvironment m_env;
    QString m_script;
    std::vector<std::unique_ptr<QProcess>> m_quills;
};

TEST_F(RecoveryProgramTest, KilledScriptIsRestoredModifiedAndSavedOnlyOnCtrlS) {
    ASSERT_NO_FATAL_FAILURE(TypeAndKill({m_script}, "^s.as - QUILL$", "abc"));
    EXPECT_EQ(testutil::ReadFile(m_script), kScript);

    const QByteArray typed = QByteArray("abc") + kScript;
    QProcess* quill = Restart({m_script}, "Return");
    // Restored text is unsaved: the title is marked.
    ASSERT_TRUE(Focus("^s.as\\* - QUILL$"));
    // The restored editor keeps its own copy, which it writes only while the
    // text is modified, holding the text of its window.
    ASSERT_TRUE(WaitUntil([&] {
        const auto copy = OnlyCopy();
        return copy && copy->pid == quill->processId();
    }));
    EXPECT_EQ(OnlyCopy()->body, typed);
    EXPECT_EQ(OnlyCopy()->scriptPath, m_script);
    EXPECT_EQ(testutil::ReadFile(m_script), kScript);

    Keys("ctrl+s");
    EXPECT_TRUE(WaitUntil([&] { return testutil::ReadFile(m_script) == typed; }));
    EXPECT_TRUE(WaitUntil([&] { return Copies().isEmpty(); }));
}

TEST_F(RecoveryProgramTest, KilledUntitledScriptIsRestoredUntitled) {
    ASSERT_NO_FATAL_FAILURE(TypeAndKill({}, "^無題 - QUILL$", "xyz"));
    QProcess* quill = Restart({}, "Return");
    ASSERT_TRUE(Focus("^無題\\* - QUILL$"));
    ASSERT_TRUE(WaitUntil([&] {
        const auto copy = OnlyCopy();
        return copy && copy->pid == quill->processId();
    }));
    EXPECT_TRUE(OnlyCopy()->IsUntitled());

    // Ctrl+S asks for a name, as for any untitled script.
    Keys("ctrl+s");
    ASSERT_TRUE(Focus("Save As|名前を付けて保存"));
    const QString saved = m_home.filePath("saved.as");
    Type(saved);
    Keys("Return");
    EXPECT_TRUE(WaitUntil([&] { return testutil::ReadFile(saved) == "xyz"; }));
    EXPECT_TRUE(WaitUntil([&] { return Copies().isEmpty(); }));
}

TEST_F(RecoveryProgramTest, DiscardRemovesTheCopyAndLeavesTheScript) {
    ASSERT_NO_FATAL_FAILURE(TypeAndKill({m_script}, "^s.as - QUILL$", "abc"));
    Restart({m_script}, "d");
    ASSERT_TRUE(Focus("^s.as - QUILL$"));
    EXPECT_TRUE(WaitUntil([&] { return Copies().isEmpty(); }));
    EXPECT_EQ(testutil::ReadFile(m_script), kScript);
}

}  // namespace
