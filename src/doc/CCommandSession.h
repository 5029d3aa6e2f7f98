#pragma once
// Compile and run through commands: runs the compile command, and when it
// succeeds, starts the run command; reports what they print and how they
// end as lines of text. Nothing waits: the window stays responsive, a wait
// cursor shows while the compile runs. No widgets.

#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QTimer>
#include <memory>
#include <optional>

#include "doc/CompileMessages.h"
#include "view/CWaitCursor.h"

class CCommandSession : public QObject {
    Q_OBJECT
public:
    // A compile that runs longer than this is ended.
    static constexpr int kCompileTimeLimitMs = 60000;
    // Time a program is given to end after it was asked to, before it is killed.
    static constexpr int kStopGraceMs = 2000;
    // Output lines handed on at most this often, in one batch.
    static constexpr int kOutputBatchMs = 50;
    // Lines of one batch kept (the pane keeps no more either).
    static constexpr int kMaxLines = 10000;

    enum class Stage { Idle, Compiling, Running };

    explicit CCommandSession(QObject* parent = nullptr);
    // A program still running is left running, as one started from a
    // desktop menu would be.
    ~CCommandSession() override;

    // Runs `compile` (the program's absolute path, then its arguments) in
    // `workdir` without standard input; when it ends with status 0, starts
    // `run` the same way, or reports the success when `run` is empty.
    // Only while Idle.
    void Start(const QStringList& compile, const QStringList& run, const QString& workdir);
    // Asks the compile or program to end, and kills it when it does not in time.
    void Stop();
    // Stop, then waits (a few seconds at most) until it has ended.
    void StopAndWait();

    Stage CurrentStage() const { return m_stage; }
    // Tests: a shorter time limit.
    void SetCompileTimeLimit(int ms) { m_timeLimitMs = ms; }

signals:
    // A line of the session's own: the command line that runs, how it ended.
    void Note(const QString& text);
    // Lines the compile or program printed (standard output and error).
    void Output(const QStringList& lines);
    // The compile ended with a status other than 0 (not stopped, not timed out).
    void CompileFailed();
    void StageChanged(CCommandSession::Stage stage);

private:
    void Launch(const QStringList& command);
    void OnReadyRead();
    void OnFinished(int exitCode, QProcess::ExitStatus status);
    void OnErrorOccurred(QProcess::ProcessError error);
    void OnTimeLimit();
    void FlushOutput();
    void SetStage(Stage stage);
    // Reports `note` as the end of the session and goes back to Idle.
    void Finish(const QString& note);
    void DropProcess();

    Stage m_stage = Stage::Idle;
    std::unique_ptr<QProcess> m_process;
    QStringList m_run;
    QString m_workdir;
    OutputLineSplitter m_splitter;
    QStringList m_pending;
    QTimer m_batchTimer;
    QTimer m_timeLimit;
    QTimer m_killTimer;
    int m_timeLimitMs = kCompileTimeLimitMs;
    bool m_stopping = false;
    bool m_timedOut = false;
    std::optional<CWaitCursor> m_waitCursor;
};
