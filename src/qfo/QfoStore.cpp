#include "qfo/QfoStore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <climits>

#include "res/ExePath.h"
#include "text/FileReader.h"

namespace {

// The most an entry file may hold: a path, with room to spare.
constexpr qint64 kMaxEntryBytes = 64 * 1024;

// Whether two entry paths name one file (equal names, hard links, or names
// that differ only in letter case on a case-insensitive file system).
bool SameFile(const QString& a, const QString& b) {
    struct stat sa {};
    struct stat sb {};
    if (::lstat(QFile::encodeName(a).constData(), &sa) != 0 ||
        ::lstat(QFile::encodeName(b).constData(), &sb) != 0) {
        return false;
    }
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

// Opens the entry file at `path` into `file`. Entries are regular files in
// the store: a symbolic link is never followed (writing through one would
// change a file outside the store), and a named pipe or device is refused
// without blocking.
bool OpenEntryFile(const QString& path, int flags, QIODevice::OpenMode mode, QFile* file) {
    const int fd = ::open(QFile::encodeName(path).constData(),
                          flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        !file->open(fd, mode, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

}  // namespace

QString QfoStorePath() {
    return QuillDataPaths().qfoFolder;
}

QString QfoEntryPath(const QString& name) {
    return QfoStorePath() + name;
}

bool QfoIsValidName(const QString& name) {
    // Without a store folder an entry path would be relative to the current
    // folder.
    if (QfoStorePath().isEmpty()) {
        return false;
    }
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
    const QString folder = QfoStorePath();
    if (folder.isEmpty()) {
        return {};
    }
    const QDir dir(folder);
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
    // An entry holds one path: a symbolic link is not followed, and more
    // bytes than a path can have mean the file is no entry.
    fileread::ReadResult read =
        fileread::ReadFile(QfoEntryPath(name), kMaxEntryBytes, /*noFollow=*/true);
    if (!read.ok()) {
        return std::nullopt;
    }
    read.bytes.replace("\r\n", "\n");
    read.bytes.replace("\n", "\r\n");
    return QFile::decodeName(read.bytes);
}

bool QfoWriteEntry(const QString& name, const QString& path) {
    if (!QfoIsValidName(name)) {
        return false;
    }
    // A store in the user's data folder is made on first registration; the
    // one beside the executable never is.
    const DataPaths paths = QuillDataPaths();
    if (paths.createsQfoFolder && !QDir().mkpath(paths.qfoFolder)) {
        return false;
    }
    QFile file;
    if (!OpenEntryFile(QfoEntryPath(name), O_WRONLY | O_CREAT | O_TRUNC, QIODevice::WriteOnly,
                       &file)) {
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
