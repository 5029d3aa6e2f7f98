#include "app/RecoveryQuestion.h"

#include <QFileInfo>

#include "doc/DiskChanges.h"
#include "res/Messages.h"

namespace recoveryquestion {

namespace {

const QString kNoteIndent = QStringLiteral("\n      ");
const QString kTimeFormat = QStringLiteral("yyyy/MM/dd HH:mm:ss");

QString DiskNote(DiskState state) {
    switch (state) {
        case DiskState::ChangedAfterCopy:
            return kNoteIndent + QString::fromUtf8(msg::kRecoveryChangedOnDisk);
        case DiskState::Missing:
            return kNoteIndent + QString::fromUtf8(msg::kRecoveryScriptMissing);
        default:
            return QString();
    }
}

}  // namespace

DiskState DiskStateOf(const RecoveryCopy& copy) {
    if (copy.IsUntitled()) {
        return DiskState::Untitled;
    }
    if (copy.disk.IsSet()) {
        // The file against the content the editor knew there when it wrote
        // the copy, as the editor itself looks at it.
        DiskChanges changes;
        changes.SetKnown(copy.scriptPath, copy.disk);
        switch (changes.LookAtDisk().state) {
            case DiskChanges::State::Unchanged:
                return DiskState::Unchanged;
            case DiskChanges::State::Gone:
                return DiskState::Missing;
            default:
                return DiskState::ChangedAfterCopy;
        }
    }
    // A copy that does not say: by the file's time stamp.
    const QFileInfo info(copy.scriptPath);
    if (!info.exists()) {
        return DiskState::Missing;
    }
    return info.lastModified().toUTC() > copy.written ? DiskState::ChangedAfterCopy
                                                      : DiskState::Unchanged;
}

QString QuestionText(const QList<RecoveryStore::Orphan>& orphans) {
    QString list;
    for (const RecoveryStore::Orphan& orphan : orphans) {
        if (!orphan.copy) {
            continue;
        }
        const RecoveryCopy& copy = *orphan.copy;
        const QString name = copy.IsUntitled()
                                 ? QString::fromUtf8(msg::kUntitled)
                                 : QStringLiteral("%1 (%2)").arg(
                                       QFileInfo(copy.scriptPath).fileName(), copy.scriptPath);
        list += QStringLiteral("\n  %1    %2")
                    .arg(name, copy.written.toLocalTime().toString(kTimeFormat));
        list += DiskNote(DiskStateOf(copy));
    }
    if (list.isEmpty()) {
        return QString();
    }
    return QString::fromUtf8(msg::kRecoveryQuestion).arg(list);
}

QString UnreadableText(const QList<RecoveryStore::Orphan>& orphans) {
    QString list;
    for (const RecoveryStore::Orphan& orphan : orphans) {
        if (!orphan.copy) {
            list += QStringLiteral("\n  %1\n      %2").arg(orphan.filePath, orphan.error);
        }
    }
    if (list.isEmpty()) {
        return QString();
    }
    return QString::fromUtf8(msg::kRecoveryUnreadable).arg(list);
}

int CopyForThisWindow(const QList<RecoveryStore::Orphan>& orphans, const QString& openedPath,
                      bool windowIsBlank) {
    int first = kNoCopy;
    for (int i = 0; i < orphans.size(); ++i) {
        if (!orphans[i].copy) {
            continue;
        }
        if (!openedPath.isEmpty() && orphans[i].copy->scriptPath == openedPath) {
            return i;
        }
        if (first == kNoCopy) {
            first = i;
        }
    }
    return windowIsBlank ? first : kNoCopy;
}

}  // namespace recoveryquestion
