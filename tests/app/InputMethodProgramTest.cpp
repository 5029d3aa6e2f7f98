// The real editor with a Japanese input method, as most Japanese users run
// it: IBus with Anthy on a private X server and session bus. An untouched
// script stays unmodified while the input method comes and goes with the
// focus, and typed Japanese is saved. Skipped, with the reason, where the
// input method is not installed or does not come up in time.
#include <gtest/gtest.h>
#include <signal.h>

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
#include "support/TestUtil.h"

namespace {

const QByteArray kScript = "mes \"a\"\r\nstop\r\n";

bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs) {
            return false;
        }
        QTest::qWait(100);
    }
    return true;
}

class InputMethodProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* tool :
             {"Xvfb", "xdotool", "xmessage", "dbus-daemon", "ibus-daemon", "ibus", "gsettings"}) {
            if (QStandardPaths::findExecutable(tool).isEmpty()) {
                GTEST_SKIP() << tool << " is missing (scripts/setup.sh installs it)";
            }
        }
        if (!QFile::exists("/usr/share/ibus/component/anthy.xml")) {
            GTEST_SKIP() << "ibus-anthy is missing (scripts/setup.sh installs it)";
        }
        StartXvfb();
        // The bus and what it starts (the settings store, the engines) live
        // in a home of their own; Anthy runs the system's python3.
        for (const char* dir : {"home", "config", "state", "run"}) {
            QDir(m_home.path()).mkpath(dir);
        }
        QFile::setPermissions(m_home.filePath("run"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_env.insert("HOME", m_home.filePath("home"));
        m_env.insert("XDG_CONFIG_HOME", m_home.filePath("config"));
        m_env.insert("XDG_STATE_HOME", m_home.filePath("state"));
        m_env.insert("XDG_RUNTIME_DIR", m_home.filePath("run"));
        m_env.insert("XDG_DATA_DIRS", "/usr/local/share:/usr/share");
        m_env.insert("PATH", "/usr/bin:/bin:" + m_env.value("PATH"));
        m_env.insert("QT_QPA_PLATFORM", "xcb");
        m_env.insert("QT_IM_MODULE", "ibus");
        const QStringList bus =
            Run("dbus-daemon", {"--session", "--fork", "--print-address=1", "--print-pid=1"})
                .split('\n');
        ASSERT_EQ(bus.size(), 2);
        m_env.insert("DBUS_SESSION_BUS_ADDRESS", bus[0]);
        m_busPid = bus[1].toInt();
        const char* kGeneral = "org.freedesktop.ibus.general";
        Run("gsettings", {"set", "org.freedesktop.ibus.engine.anthy.common", "input-mode", "0"});
        Run("gsettings", {"set", kGeneral, "preload-engines", "['anthy']"});
        Run("gsettings", {"set", kGeneral, "engines-order", "['anthy']"});
        Run("ibus-daemon", {"-drx"});
    }
    void TearDown() override {
        if (m_busPid > 0) {
            Run("ibus", {"exit"});
            ::kill(m_busPid, SIGTERM);
        }
        // The X server goes last.
        for (auto it = m_processes.rbegin(); it != m_processes.rend(); ++it) {
            (*it)->kill();
            (*it)->waitForFinished();
        }
    }

    void StartXvfb() {
        // The server picks a free display and writes its number once ready.
        m_env = QProcessEnvironment::systemEnvironment();
        QProcess* xvfb =
            Start("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
        ASSERT_TRUE(WaitUntil([&] { return xvfb->canReadLine(); }, 15000));
        m_env.insert("DISPLAY", ":" + QString::fromUtf8(xvfb->readLine()).trimmed());
    }
    QString Run(const QString& program, const QStringList& args) {
        QProcess process;
        process.setProcessEnvironment(m_env);
        process.start(program, args);
        process.waitForFinished(10000);
        return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    }
    QProcess* Start(const QString& program, const QStringList& args) {
        m_processes.push_back(std::make_unique<QProcess>());
        m_processes.back()->setProcessEnvironment(m_env);
        m_processes.back()->start(program, args);
        return m_processes.back().get();
    }
    // Anthy as the input method, asked again until it says so: the first
    // answers may come before the daemon or the engine is ready.
    bool Anthy(int timeoutMs) {
        return WaitUntil(
            [&] {
                return Run("ibus", {"engine", "anthy"}), Run("ibus", {"engine"}) == "anthy";
            },
            timeoutMs);
    }
    bool Focus(const QString& title) {
        QString id;
        const bool shown = WaitUntil(
            [&] {
                id = Run("xdotool", {"search", "--onlyvisible", "--name", title})
                         .section('\n', 0, 0);
                return !id.isEmpty();
            },
            15000);
        Run("xdotool", {"windowfocus", "--sync", id});
        return shown;
    }

    QTemporaryDir m_home;
    QProcessEnvironment m_env;
    std::vector<std::unique_ptr<QProcess>> m_processes;
    int m_busPid = 0;
};

TEST_F(InputMethodProgramTest, UntouchedScriptStaysUnmodifiedAndTypedJapaneseIsSaved) {
    constexpr int kBringUpMs = 20000;
    if (!Anthy(kBringUpMs)) {
        GTEST_SKIP() << "IBus with Anthy did not come up within " << kBringUpMs / 1000 << " s";
    }
    const QString script = testutil::WriteFile(m_home, "s.as", kScript);
    Start(QUILL_BINARY, {script});
    ASSERT_TRUE(Focus("s.as"));
    if (!Anthy(kBringUpMs)) {
        GTEST_SKIP() << "Anthy did not take the editor's input within " << kBringUpMs / 1000
                     << " s";
    }
    // The focus goes away and comes back: the input method sends its
    // pre-edits, which change nothing.
    Start("xmessage", {"-name", "away", "away"});
    ASSERT_TRUE(Focus("away"));
    ASSERT_TRUE(Focus("s.as"));
    QTest::qWait(CRecoveryKeeper::kQuietMs + 1000);
    EXPECT_TRUE(
        QDir(m_home.filePath("state/QUILL/recovery")).entryList({"*.rec"}, QDir::Files).isEmpty());

    Run("xdotool", {"type", "--delay", "80", "nihongo"});
    Run("xdotool", {"key", "--delay", "80", "space", "Return", "ctrl+s"});
    // 日本語 in Shift_JIS.
    const QByteArray expected = "\x93\xfa\x96\x7b\x8c\xea" + kScript;
    EXPECT_TRUE(WaitUntil([&] { return testutil::ReadFile(script) == expected; }, 10000))
        << testutil::ReadFile(script).toHex(' ').toStdString();
}

}  // namespace
