#include "doc/CCommandSession.h"

#include <csignal>
#include <vector>

#include "doc/HspCommand.h"
#include "res/Messages.h"

namespace {

// Programs left running when their session went: destroying a QProcess ends
// its program, so these are kept until the editor itself ends. The list is
// never destroyed, so that they stay reachable to the very end.
std::vector<QProcess*>& LeftRunning() {
    static auto* processes = new std::vector<QProcess*>;
    return *processes;
}

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

}  // namespace

CCommandSession::CCommandSession(QObject* parent) : QObject(parent) {
    m_batchTimer.setSingleShot(true);
    m_batchTimer.setInterval(kOutputBatchMs);
    connect(&m_batchTimer, &QTimer::timeout, this, &CCommandSession::FlushOutput);
    m_timeLimit.setSingleShot(true);
    connect(&m_timeLimit, &QTimer::timeout, this, &CCommandSession::OnTimeLimit);
    m_killTimer.setSingleShot(true);
    m_killTimer.setInterval(kStopGraceMs);
    connect(&m_killTimer, &QTimer::timeout, this, [this]() {
        if (m_process) {
            m_process->kill();
        }
    });
}

CCommandSession::~CCommandSession() {
    // A compile still running ends with the session (the QProcess kills it).
    if (m_stage == Stage::Running && m_process && m_process->state() != QProcess::NotRunning) {
        m_process->disconnect(this);
        LeftRunning().push_back(m_process.release());
    }
}

void CCommandSession::Start(const QStringList& compile, const QStringList& run,
                            const QString& workdir) {
    if (m_stage != Stage::Idle || compile.isEmpty()) {
        return;
    }
    m_run = run;
    m_workdir = workdir;
    m_waitCursor.emplace();
    SetStage(Stage::Compiling);
    Launch(compile);
    if (m_process) {
        m_timeLimit.start(m_timeLimitMs);
    }
}

void CCommandSession::Launch(const QStringList& command) {
    emit Note(Text(msg::kPaneCommand).arg(CommandLineText(command)));
    m_stopping = false;
    m_timedOut = false;
    m_process = std::make_unique<QProcess>();
    QProcess* process = m_process.get();
    process->setProgram(command.first());
    process->setArguments(command.mid(1));
    process->setWorkingDirectory(m_workdir);
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    // Once the editor is gone nobody reads the program's output; writing it
    // must then fail instead of ending the program.
    process->setChildProcessModifier([]() { std::signal(SIGPIPE, SIG_IGN); });
    connect(process, &QProcess::readyReadStandardOutput, this, &CCommandSession::OnReadyRead);
    connect(process, &QProcess::finished, this, &CCommandSession::OnFinished);
    connect(process, &QProcess::errorOccurred, this, &CCommandSession::OnErrorOccurred);
    process->start(QIODevice::ReadOnly);
}

void CCommandSession::OnReadyRead() {
    m_pending += m_splitter.Feed(m_process->readAllStandardOutput());
    if (m_pending.size() > kMaxLines) {
        m_pending.remove(0, m_pending.size() - kMaxLines);
    }
    if (!m_batchTimer.isActive()) {
        m_batchTimer.start();
    }
}

void CCommandSession::FlushOutput() {
    m_batchTimer.stop();
    if (!m_pending.isEmpty()) {
        emit Output(std::exchange(m_pending, {}));
    }
}

void CCommandSession::OnErrorOccurred(QProcess::ProcessError error) {
    if (error != QProcess::FailedToStart) {
        return;
    }
    // finished() never comes for a program that did not start.
    const QString program = m_process->program();
    const QString reason = m_process->errorString();
    Finish(Text(msg::kPaneNotStarted).arg(program, reason));
}

void CCommandSession::OnFinished(int exitCode, QProcess::ExitStatus status) {
    m_pending += m_splitter.Feed(m_process->readAllStandardOutput());
    m_pending += m_splitter.Flush();
    const bool compiling = m_stage == Stage::Compiling;
    QString note;
    if (m_timedOut) {
        note = Text(msg::kPaneTimedOut).arg(m_timeLimitMs / 1000);
    } else if (m_stopping) {
        note = Text(msg::kPaneStopped);
    } else if (status == QProcess::CrashExit) {
        note = Text(msg::kPaneCrashed);
    } else {
        note = Text(exitCode == 0 ? msg::kPaneExitOk : msg::kPaneExitError).arg(exitCode);
    }
    const bool succeeded =
        !m_timedOut && !m_stopping && status == QProcess::NormalExit && exitCode == 0;
    if (!compiling || !succeeded) {
        Finish(note);
        if (compiling && !m_timedOut && !m_stopping) {
            emit CompileFailed();
        }
        return;
    }
    FlushOutput();
    emit Note(note);
    m_timeLimit.stop();
    m_waitCursor.reset();
    DropProcess();
    if (m_run.isEmpty()) {
        Finish(Text(msg::kPaneCompiled));
        return;
    }
    SetStage(Stage::Running);
    Launch(m_run);
}

void CCommandSession::Finish(const QString& note) {
    FlushOutput();
    emit Note(note);
    m_timeLimit.stop();
    m_killTimer.stop();
    m_waitCursor.reset();
    DropProcess();
    SetStage(Stage::Idle);
}

void CCommandSession::DropProcess() {
    if (m_process) {
        // The object goes once the signal being handled has returned.
        m_process->disconnect(this);
        m_process.release()->deleteLater();
    }
}

void CCommandSession::OnTimeLimit() {
    if (m_stage == Stage::Compiling && m_process) {
        m_timedOut = true;
        m_process->kill();
    }
}

void CCommandSession::Stop() {
    if (!m_process || m_process->state() == QProcess::NotRunning || m_stopping) {
        return;
    }
    m_stopping = true;
    m_process->terminate();
    m_killTimer.start();
}

void CCommandSession::StopAndWait() {
    Stop();
    if (m_process && !m_process->waitForFinished(kStopGraceMs)) {
        m_process->kill();
        m_process->waitForFinished(kStopGraceMs);
    }
}

void CCommandSession::SetStage(Stage stage) {
    if (m_stage != stage) {
        m_stage = stage;
        emit StageChanged(stage);
    }
}
