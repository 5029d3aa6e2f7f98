#include "app/CRecoveryOffer.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTextDocument>

#include "app/RecoveryQuestion.h"
#include "doc/CQuillDoc.h"
#include "doc/CRecoveryKeeper.h"
#include "doc/RecoveryStore.h"
#include "view/CQuillView.h"

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
    doc->RestoreDocument(orphan.copy->scriptPath, orphan.copy->Text());
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

void CRecoveryOffer::ShowWarning(const QString& text) const {
    QMessageBox box(QMessageBox::Warning, "QUILL", text, QMessageBox::Ok, m_parent);
    box.exec();
}

void CRecoveryOffer::OfferAtStartUp() {
    QList<RecoveryStore::Orphan> orphans = m_store->ClaimOrphans();
    if (orphans.isEmpty()) {
        return;
    }
    const QString unreadable = recoveryquestion::UnreadableText(orphans);
    const QString question = recoveryquestion::QuestionText(orphans);
    enum class Answer { Restore, Discard, Later };
    Answer answer = Answer::Later;
    if (!question.isEmpty()) {
        QMessageBox box(QMessageBox::Warning, "QUILL",
                        unreadable.isEmpty() ? question : question + "\n\n" + unreadable,
                        QMessageBox::NoButton, m_parent);
        QPushButton* restore = box.addButton(QStringLiteral("復元(&R)"), QMessageBox::AcceptRole);
        QPushButton* discard =
            box.addButton(QStringLiteral("破棄(&D)"), QMessageBox::DestructiveRole);
        box.setDefaultButton(restore);
        box.exec();
        // A box closed without a choice decides nothing: the copies stay for next time.
        answer = box.clickedButton() == restore   ? Answer::Restore
                 : box.clickedButton() == discard ? Answer::Discard
                                                  : Answer::Later;
    } else {
        ShowWarning(unreadable);
    }

    const bool blank = m_doc->GetPathName().isEmpty() && !m_doc->IsModified() &&
                       m_doc->GetView()->document()->isEmpty();
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
        ShowWarning(QStringLiteral("次の復元データを開く QUILL を起動できませんでした。"
                                   "復元データは次回の起動時にもう一度確認します:\n  ") +
                    notLaunched.join("\n  "));
    }
}

void CRecoveryOffer::RestoreNamed(const QString& copyPath) {
    std::optional<RecoveryStore::Orphan> orphan = m_store->ClaimOrphan(copyPath);
    if (!orphan) {
        return;  // gone, or another editor has taken it
    }
    if (!orphan->copy) {
        ShowWarning(recoveryquestion::UnreadableText({*orphan}));
        RecoveryStore::Release(*orphan);
        return;
    }
    Restore(*orphan, m_doc, m_keeper);
}
