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
    m_quiet.setSingleShot(true);
    connect(&m_quiet, &QTimer::timeout, this, &CRecoveryKeeper::WriteNow);
    connect(text, &QTextDocument::contentsChanged, this, &CRecoveryKeeper::OnTextChanged);
    connect(text, &QTextDocument::modificationChanged, this,
            &CRecoveryKeeper::OnModificationChanged);
    connect(doc, &CQuillDoc::ChangesDiscarded, this, &CRecoveryKeeper::Forget);
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
    m_store->RemoveOwn();
}

bool CRecoveryKeeper::WriteNow() {
    m_quiet.stop();
    if (!m_doc->IsModified()) {
        return false;
    }
    RecoveryCopy copy;
    copy.scriptPath = m_doc->GetPathName();
    copy.written = QDateTime::currentDateTimeUtc();
    copy.pid = QCoreApplication::applicationPid();
    // The bytes a save would write; a text that Shift_JIS cannot hold is kept
    // in UTF-8 rather than lost.
    QString ignored;
    if (!m_doc->Serialize(&copy.body, &ignored)) {
        copy.encoding = RecoveryCopy::Encoding::Utf8;
        copy.body = m_doc->SaveText().toUtf8();
    }
    QString error;
    if (!m_store->WriteOwn(copy, &error)) {
        if (!m_failureReported) {
            m_failureReported = true;
            emit WriteFailed(error);
        }
        return false;
    }
    m_failureReported = false;
    return true;
}
