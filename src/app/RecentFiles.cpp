#include "app/RecentFiles.h"

#include <QDir>
#include <QFileInfo>

namespace recent {
namespace {

QString Normalised(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

}  // namespace

QStringList Add(const QStringList& files, const QString& path, int max) {
    QStringList result;
    if (!path.isEmpty()) {
        result << path;
    }
    const QString key = Normalised(path);
    for (const QString& f : files) {
        if (!f.isEmpty() && Normalised(f) != key) {
            result << f;
        }
    }
    while (result.size() > max) {
        result.removeLast();
    }
    return result;
}

QStringList Remove(const QStringList& files, int index) {
    QStringList result = files;
    if (index >= 0 && index < result.size()) {
        result.removeAt(index);
    }
    return result;
}

QString MenuText(int index, const QString& path) {
    QString shown = QDir::toNativeSeparators(path);
    shown.replace('&', QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}

}  // namespace recent
