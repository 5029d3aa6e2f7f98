#pragma once
// Keeps a recovery copy of the document's text while it is modified: a
// short while after the last change the whole text is written to the
// recovery store; saving, or discarding the changes, removes the copy.
// Nothing the user sees changes while all goes well.
//
// The interface thread only takes the text; encoding and writing run on a
// worker thread of the keeper's own, one job after another, so that a
// removal is never overtaken by an earlier write.

#include <QElapsedTimer>
#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <atomic>

#include "doc/RecoveryCopy.h"

class CQuillDoc;
class QTextDocument;
class RecoveryStore;

class CRecoveryKeeper : public QObject {
    Q_OBJECT
public:
    // Quiet time after the last change before the copy is written.
    static constexpr int kQuietMs = 2000;
    // Longest wait while changes keep coming, so that steady typing is kept too.
    static constexpr int kMaxWaitMs = 10000;

    // `text` is the text of the document's view.
    CRecoveryKeeper(CQuillDoc* doc, QTextDocument* text, RecoveryStore* store,
                    QObject* parent = nullptr);
    ~CRecoveryKeeper() override;

    // Starts writing the copy when the text is modified; false when it is not.
    bool WriteSoon();
    // Writes the copy and waits for it; true when written.
    bool WriteNow();
    // Writes the text as a copy that outlives this editor's own, offered at
    // the next start, and waits for it; true when written (failures are
    // reported through WriteFailed too).
    bool KeepAside();
    // Waits until every started write or removal is done.
    void Flush();
    // True while a change waits for its quiet time.
    bool IsPending() const { return m_quiet.isActive(); }

signals:
    // A copy could not be written (reported once until a write succeeds).
    void WriteFailed(const QString& message);

private:
    void OnTextChanged();
    void OnModificationChanged(bool modified);
    void Forget();
    void OnWriteDone(bool ok, const QString& error);
    // The copy of the text as it is now, with the text still to be encoded
    // (Encode fills the body).
    RecoveryCopy CopyHeader() const;
    static void Encode(RecoveryCopy& copy, const QString& text);

    CQuillDoc* m_doc;
    RecoveryStore* m_store;
    QTimer m_quiet;
    QElapsedTimer m_pendingSince;
    bool m_failureReported = false;
    std::atomic<bool> m_lastWriteOk = false;
    // Declared last: destroyed first, waiting for the jobs that use the rest.
    QThreadPool m_worker;
};
