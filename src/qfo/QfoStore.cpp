#include "qfo/QfoStore.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <climits>

#include "app/ExePath.h"

namespace {

// Whether two entry paths name one file (equal names, hard links, or names
// that differ only in letter case on a case-insensitive file system).
bool SameFile(const QString& a, const QString& b) {
    struct stat sa {};
    struct stat sb {};
    if (::stat(QFile::encodeName(a).constData(), &sa) != 0 ||
        ::stat(QFile::encodeName(b).constData(), &sb) != 0) {
        return false;
    }
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

}  // namespace

QString QfoStorePath() {
    return ExeRelativePath(QStringLiteral("QFO/"));
}

QString QfoEntryPath(const QString& name) {
    return QfoStorePath() + name;
}

bool QfoIsValidName(const QString& name) {
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") ||
        name.contains(QLatin1Char('/')) || name.contains(QChar(0))) {
        return false;
    }
    const QByteArray encoded = QFile::encodeName(name);
    // A name the file-system encoding cannot hold would be stored under
    // another name than the one the user sees.
    if (QFile::decodeName(encoded) != name) {
        return false;
    }
    if (encoded.size() > NAME_MAX) {
        return false;
    }
    // PATH_MAX counts the terminating zero.
    return QFile::encodeName(QfoEntryPath(name)).size() < PATH_MAX;
}

QStringList QfoListEntries() {
    const QDir dir(QfoStorePath());
    QStringList names = dir.entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

std::optional<QString> QfoReadEntry(const QString& name) {
    if (!QfoIsValidName(name)) {
        return std::nullopt;
    }
    const QString path = QfoEntryPath(name);
    // Only regular files are entries that can be read: a subdirectory cannot
    // be opened, and a named pipe would block the editor.
    if (!QFileInfo(path).isFile()) {
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    bytes.replace("\r\n", "\n");
    bytes.replace("\n", "\r\n");
    return QFile::decodeName(bytes);
}

bool QfoWriteEntry(const QString& name, const QString& path) {
    if (!QfoIsValidName(name)) {
        return false;
    }
    QFile file(QfoEntryPath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    const QByteArray bytes = QFile::encodeName(path);
    const bool written = file.write(bytes) == bytes.size();
    return file.flush() && written;
}

bool QfoRemoveEntry(const QString& name) {
    if (!QfoIsValidName(name)) {
        return false;
    }
    // QFile::remove unlinks: a subdirectory is not removed.
    return QFile::remove(QfoEntryPath(name));
}

bool QfoReplaceEntry(const QString& oldName, const QString& newName, const QString& path) {
    if (!QfoWriteEntry(newName, path)) {
        return false;
    }
    if (oldName != newName && !SameFile(QfoEntryPath(oldName), QfoEntryPath(newName))) {
        QfoRemoveEntry(oldName);
    }
    return true;
}

bool QfoFileExists(const QString& path) {
    return !path.isEmpty() && QFileInfo::exists(path);
}
