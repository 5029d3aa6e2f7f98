#include "doc/CRecoveryKeeper.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTextDocument>
#include <algorithm>

#include "doc/CQuillDoc.h"
#include "doc/RecoveryStore.h"

CRecoveryKeeper::CRecoveryKeeper(CQuillDoc* doc, QTextDocument* text, RecoveryStore* store,
                                 QObject* parent)
    : QObject(parent), m_doc(doc), m_store(store) {
    m_worker.setMaxThreadCount(1);
    m_quiet.setSingleShot(true);
    connect(&m_quiet, &QTimer::timeout, this, &CRecoveryKeeper::WriteSoon);
    connect(text, &QTextDocument::contentsChanged, this, &CRecoveryKeeper::OnTextChanged);
    connect(text, &QTextDocument::modificationChanged, this,
            &CRecoveryKeeper::OnModificationChanged);
    connect(doc, &CQuillDoc::ChangesDiscarded, this, &CRecoveryKeeper::Forget);
}

CRecoveryKeeper::~CRecoveryKeeper() {
    m_worker.waitForDone();
}

void CRecoveryKeeper::OnTextChanged() {
    if (!m_doc->IsModified()) {
        return;
    }
    if (!m_quiet.isActive()) {
        m_pendingSince.start();
    }
    // Each change restarts the quiet time, up to the longest wait.
    const qint64 waited = m_pendingSince.elapsed();
    m_quiet.start(int(std::clamp<qint64>(kMaxWaitMs - waited, 0, kQuietMs)));
}

void CRecoveryKeeper::OnModificationChanged(bool modified) {
    if (modified) {
        OnTextChanged();
    } else {
        Forget();
    }
}

void CRecoveryKeeper::Forget() {
    m_quiet.stop();
    RecoveryStore* store = m_store;
    m_worker.start([store] { store->RemoveOwn(); });
}

bool CRecoveryKeeper::WriteSoon() {
    m_quiet.stop();
    if (!m_doc->IsModified()) {
        return false;
    }
    RecoveryStore* store = m_store;
    m_worker.start([this, store, copy = CopyHeader(), text = m_doc->SaveText()]() mutable {
        Encode(copy, text);
        QString error;
        const bool ok = store->WriteOwn(copy, &error);
        m_lastWriteOk = ok;
        QMetaObject::invokeMethod(this, [this, ok, error] { OnWriteDone(ok, error); });
    });
    return true;
}

bool CRecoveryKeeper::WriteNow() {
    m_lastWriteOk = false;
    const bool started = WriteSoon();
    Flush();
    return started && m_lastWriteOk;
}

void CRecoveryKeeper::Flush() {
    m_worker.waitForDone();
}

void CRecoveryKeeper::OnWriteDone(bool ok, const QString& error) {
    if (ok) {
        m_failureReported = false;
    } else if (!m_failureReported) {
        m_failureReported = true;
        emit WriteFailed(error);
    }
}

RecoveryCopy CRecoveryKeeper::CopyHeader() const {
    RecoveryCopy copy;
    copy.scriptPath = m_doc->GetPathName();
    copy.written = QDateTime::currentDateTimeUtc();
    copy.pid = QCoreApplication::applicationPid();
    copy.disk = m_doc->Disk().Known();
    copy.encoding = m_doc->GetEncoding();
    return copy;
}

void CRecoveryKeeper::Encode(RecoveryCopy& copy, const QString& text) {
    // The bytes a save would write; a text that Shift_JIS cannot hold is
    // kept in UTF-8 rather than lost.
    cp932::EncodeResult encoded = CQuillDoc::EncodeSaveText(text, copy.encoding);
    if (encoded.ok()) {
        copy.body = std::move(encoded.bytes);
    } else {
        copy.encoding = RecoveryCopy::Encoding::Utf8;
        copy.body = text.toUtf8();
    }
}

bool CRecoveryKeeper::KeepAside() {
    // Written here and now: the text is about to be replaced.
    Flush();
    RecoveryCopy copy = CopyHeader();
    Encode(copy, m_doc->SaveText());
    QString error;
    const bool ok = m_store->WriteKept(copy, &error);
    OnWriteDone(ok, error);
    return ok;
}
