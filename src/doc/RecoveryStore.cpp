#include "doc/RecoveryStore.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "res/Messages.h"
#include "text/FileReader.h"

namespace {

constexpr QLatin1StringView kCopySuffix(".rec");
constexpr QLatin1StringView kLockSuffix(".lock");
// A copy holds a script's bytes (or its text in UTF-8, up to half as long
// again) and a short header.
constexpr qint64 kMaxCopyBytes = fileread::kMaxFileBytes * 2;

QString LockPathFor(const QString& copyPath) {
    return copyPath.left(copyPath.size() - kCopySuffix.size()) + kLockSuffix;
}

// Reads and parses a copy; the reason lands in `orphan.error` on failure.
void ReadInto(RecoveryStore::Orphan& orphan) {
    const fileread::ReadResult read = fileread::ReadFile(orphan.filePath, kMaxCopyBytes, true);
    if (!read.ok()) {
        orphan.error = msg::ReadError(read.status, orphan.filePath);
        return;
    }
    orphan.copy = ParseRecoveryCopy(read.bytes, &orphan.error);
}

}  // namespace

RecoveryStore::RecoveryStore(const QString& folder) : m_folder(folder) {}

RecoveryStore::~RecoveryStore() = default;

QString RecoveryStore::DefaultFolder() {
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(base)) {
        base = QDir::homePath() + QStringLiteral("/.local/state");
    }
    return base + QStringLiteral("/QUILL/recovery");
}

bool RecoveryStore::Claim(QString* error) {
    if (m_lock) {
        return true;
    }
    if (!QDir().mkpath(m_folder)) {
        *error = QString::fromUtf8(msg::kRecoveryFolderError).arg(m_folder);
        return false;
    }
    const QString id = QStringLiteral("%1-%2")
                           .arg(QCoreApplication::applicationPid())
                           .arg(QDateTime::currentMSecsSinceEpoch());
    auto lock = std::make_unique<QLockFile>(QDir(m_folder).filePath(id + kLockSuffix));
    if (!lock->tryLock(0)) {
        *error = QString::fromUtf8(msg::kRecoveryFolderError).arg(m_folder);
        return false;
    }
    m_id = id;
    m_lock = std::move(lock);
    return true;
}

QString RecoveryStore::OwnCopyPath() const {
    return m_id.isEmpty() ? QString() : QDir(m_folder).filePath(m_id + kCopySuffix);
}

bool RecoveryStore::WriteOwn(const RecoveryCopy& copy, QString* error) {
    if (!m_lock && !Claim(error)) {
        return false;
    }
    return WriteCopy(OwnCopyPath(), copy, error);
}

bool RecoveryStore::WriteKept(const RecoveryCopy& copy, QString* error) {
    if (!m_lock && !Claim(error)) {
        return false;
    }
    // Named after this editor's id and the time, so that it never meets
    // another copy's name or lock.
    const QString path = QDir(m_folder).filePath(
        QStringLiteral("%1-kept-%2").arg(m_id).arg(QDateTime::currentMSecsSinceEpoch()) +
        kCopySuffix);
    return WriteCopy(path, copy, error);
}

bool RecoveryStore::WriteCopy(const QString& path, const RecoveryCopy& copy, QString* error) {
    const QByteArray bytes = FormatRecoveryCopy(copy);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        *error = QString::fromUtf8(msg::kRecoveryWriteError).arg(path, file.errorString());
        return false;
    }
    return true;
}

void RecoveryStore::RemoveOwn() {
    if (m_lock) {
        QFile::remove(OwnCopyPath());
    }
}

bool RecoveryStore::HasOwnCopy() const {
    return m_lock && QFileInfo::exists(OwnCopyPath());
}

QList<RecoveryStore::Orphan> RecoveryStore::ClaimOrphans() const {
    QList<Orphan> orphans;
    const QFileInfoList files =
        QDir(m_folder).entryInfoList({QStringLiteral("*") + kCopySuffix}, QDir::Files, QDir::Name);
    for (const QFileInfo& info : files) {
        if (std::optional<Orphan> orphan = ClaimOrphan(info.absoluteFilePath())) {
            orphans.append(std::move(*orphan));
        }
    }
    // Locks left without a copy by editors that are gone: taking one and
    // letting it go removes it.
    const QFileInfoList locks =
        QDir(m_folder).entryInfoList({QStringLiteral("*") + kLockSuffix}, QDir::Files);
    for (const QFileInfo& info : locks) {
        const QString copyPath = info.absoluteFilePath().chopped(kLockSuffix.size()) + kCopySuffix;
        if (!QFileInfo::exists(copyPath)) {
            QLockFile lock(info.absoluteFilePath());
            lock.setStaleLockTime(0);
            lock.tryLock(0);
        }
    }
    return orphans;
}

std::optional<RecoveryStore::Orphan> RecoveryStore::ClaimOrphan(const QString& filePath) const {
    const QString path = QFileInfo(filePath).absoluteFilePath();
    if (!path.endsWith(kCopySuffix) || path == OwnCopyPath() || !QFileInfo(path).isFile()) {
        return std::nullopt;
    }
    auto lock = std::make_shared<QLockFile>(LockPathFor(path));
    // Only a process that is gone makes a lock stale, never its age.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        return std::nullopt;  // its editor still runs (or the folder is read-only)
    }
    Orphan orphan{path, std::nullopt, QString(), lock};
    ReadInto(orphan);
    return orphan;
}

void RecoveryStore::Discard(Orphan& orphan) {
    if (orphan.copy) {
        QFile::remove(orphan.filePath);
    }
    Release(orphan);
}

void RecoveryStore::Release(Orphan& orphan) {
    if (orphan.lock) {
        orphan.lock->unlock();
        orphan.lock.reset();
    }
}
