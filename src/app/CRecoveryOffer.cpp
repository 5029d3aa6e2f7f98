#include "app/CRecoveryOffer.h"

#include <QCoreApplication>
#include <QProcess>

#include "app/RecoveryQuestion.h"
#include "doc/CQuillDoc.h"
#include "doc/CRecoveryKeeper.h"
#include "doc/RecoveryStore.h"
#include "res/Messages.h"

const QString CRecoveryOffer::kRecoverOption = QStringLiteral("--recover");

namespace {

bool LaunchEditor(const QString& copyPath) {
    return QProcess::startDetached(QCoreApplication::applicationFilePath(),
                                   {CRecoveryOffer::kRecoverOption, copyPath});
}

// Puts the copy's text into the document; the copy is deleted only once this
// editor's own copy of the restored text is written, so that a crash in
// between still leaves one.
void Restore(RecoveryStore::Orphan& orphan, CQuillDoc* doc, CRecoveryKeeper* keeper) {
    doc->RestoreDocument(orphan.copy->scriptPath, orphan.copy->Text(), orphan.copy->encoding,
                         orphan.copy->disk);
    if (keeper->WriteNow()) {
        RecoveryStore::Discard(orphan);
    } else {
        RecoveryStore::Release(orphan);
    }
}

}  // namespace

CRecoveryOffer::CRecoveryOffer(RecoveryStore* store, CQuillDoc* doc, CRecoveryKeeper* keeper,
                               QWidget* parent)
    : m_store(store), m_doc(doc), m_keeper(keeper), m_parent(parent), m_launch(&LaunchEditor) {}

void CRecoveryOffer::OfferAtStartUp() {
    QList<RecoveryStore::Orphan> orphans = m_store->ClaimOrphans();
    if (orphans.isEmpty()) {
        return;
    }
    const QString unreadable = recoveryquestion::UnreadableText(orphans);
    const QString question = recoveryquestion::QuestionText(orphans);
    using Answer = msg::RecoveryAnswer;
    Answer answer = Answer::Later;
    if (!question.isEmpty()) {
        // A box closed without a choice decides nothing: the copies stay for next time.
        answer = msg::AskToRecover(
            m_parent, unreadable.isEmpty() ? question : question + "\n\n" + unreadable);
    } else {
        msg::Warning(m_parent, unreadable);
    }

    const bool blank =
        m_doc->GetPathName().isEmpty() && !m_doc->IsModified() && m_doc->SaveText().isEmpty();
    const int here = recoveryquestion::CopyForThisWindow(orphans, m_doc->GetPathName(), blank);
    QStringList notLaunched;
    for (int i = 0; i < orphans.size(); ++i) {
        RecoveryStore::Orphan& orphan = orphans[i];
        if (!orphan.copy || answer == Answer::Later) {
            RecoveryStore::Release(orphan);
        } else if (answer == Answer::Discard) {
            RecoveryStore::Discard(orphan);
        } else if (i == here) {
            Restore(orphan, m_doc, m_keeper);
        } else {
            // The new editor takes the copy's lock itself.
            RecoveryStore::Release(orphan);
            if (!m_launch(orphan.filePath)) {
                notLaunched.append(orphan.filePath);
            }
        }
    }
    if (!notLaunched.isEmpty()) {
        msg::Warning(
            m_parent,
            QString::fromUtf8(msg::kRecoveryNotLaunched).arg("  " + notLaunched.join("\n  ")));
    }
}

void CRecoveryOffer::RestoreNamed(const QString& copyPath) {
    std::optional<RecoveryStore::Orphan> orphan = m_store->ClaimOrphan(copyPath);
    if (!orphan) {
        return;  // gone, or another editor has taken it
    }
    if (!orphan->copy) {
        msg::Warning(m_parent, recoveryquestion::UnreadableText({*orphan}));
        RecoveryStore::Release(*orphan);
        return;
    }
    Restore(*orphan, m_doc, m_keeper);
}
