#include "app/RecoveryQuestion.h"

#include <QFileInfo>

namespace recoveryquestion {

namespace {

const QString kUntitled = QStringLiteral("無題");
const QString kTimeFormat = QStringLiteral("yyyy/MM/dd HH:mm:ss");

QString DiskNote(DiskState state) {
    switch (state) {
        case DiskState::ChangedAfterCopy:
            return QStringLiteral("\n      ※ このファイルは復元データの作成後に変更されています。");
        case DiskState::Missing:
            return QStringLiteral("\n      ※ このファイルは見つかりません。");
        default:
            return QString();
    }
}

}  // namespace

DiskState DiskStateOf(const RecoveryCopy& copy) {
    if (copy.IsUntitled()) {
        return DiskState::Untitled;
    }
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
                                 ? kUntitled
                                 : QStringLiteral("%1 (%2)").arg(
                                       QFileInfo(copy.scriptPath).fileName(), copy.scriptPath);
        list += QStringLiteral("\n  %1    %2")
                    .arg(name, copy.written.toLocalTime().toString(kTimeFormat));
        list += DiskNote(DiskStateOf(copy));
    }
    if (list.isEmpty()) {
        return QString();
    }
    return QStringLiteral(
               "QUILL が正しく終了しなかったため、保存されていない変更が残っています。\n") +
           list +
           QStringLiteral(
               "\n\n変更を復元しますか?\n"
               "「復元」で変更を開きます (保存するまでファイルは書き換えません)。\n"
               "「破棄」で復元データを削除します。");
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
    return QStringLiteral("次の復元データは読み取れないため、削除せずに残しています:\n") + list;
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
