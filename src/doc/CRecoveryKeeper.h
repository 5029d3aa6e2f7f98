#pragma once
// Keeps a recovery copy of the document's text while it is modified: a
// short while after the last change the whole text is written to the
// recovery store; saving, or discarding the changes, removes the copy.
// Nothing the user sees changes while all goes well.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

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

    // Writes the copy at once when the text is modified; true when written.
    bool WriteNow();
    // True while a change waits to be written.
    bool IsPending() const { return m_quiet.isActive(); }

signals:
    // A copy could not be written (reported once until a write succeeds).
    void WriteFailed(const QString& message);

private:
    void OnTextChanged();
    void OnModificationChanged(bool modified);
    void Forget();

    CQuillDoc* m_doc;
    RecoveryStore* m_store;
    QTimer m_quiet;
    QElapsedTimer m_pendingSince;
    bool m_failureReported = false;
};
