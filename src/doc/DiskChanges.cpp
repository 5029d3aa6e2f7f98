#include "doc/DiskChanges.h"

#include <sys/stat.h>

#include <QCryptographicHash>
#include <QFile>

FileStamp FileStamp::Of(const QString& path) {
    struct stat st {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0) {
        return FileStamp{};
    }
    const auto ns = [](const timespec& t) { return qint64(t.tv_sec) * 1000000000 + t.tv_nsec; };
    return FileStamp{true,           quint64(st.st_dev), quint64(st.st_ino), qint64(st.st_size),
                     ns(st.st_mtim), ns(st.st_ctim)};
}

QByteArray DiskChanges::HashOf(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

void DiskChanges::Clear() {
    *this = DiskChanges();
}

void DiskChanges::SetKnown(const QString& path, const QByteArray& bytes, const FileStamp& stamp) {
    SetKnown(path, KnownContent{stamp, HashOf(bytes)});
}

void DiskChanges::SetKnown(const QString& path, const KnownContent& known) {
    m_path = path;
    m_known = known;
    m_settledStamp = known.stamp;
    m_toldHash.clear();
}

DiskChanges::Look DiskChanges::LookAtDisk() {
    Look look;
    if (m_path.isEmpty()) {
        return look;
    }
    look.stamp = FileStamp::Of(m_path);
    if (look.stamp == m_settledStamp) {
        return look;
    }
    if (!look.stamp.exists) {
        look.state = State::Gone;
        return look;
    }
    fileread::ReadResult read = fileread::ReadFile(m_path);
    if (!read.ok()) {
        look.state = State::Unreadable;
        look.status = read.status;
        return look;
    }
    look.hash = HashOf(read.bytes);
    if (look.hash == m_known.hash || look.hash == m_toldHash) {
        m_settledStamp = look.stamp;
        return look;
    }
    look.state = State::Changed;
    look.bytes = std::move(read.bytes);
    return look;
}

void DiskChanges::Told(const Look& look) {
    m_settledStamp = look.stamp;
    if (look.state == State::Changed) {
        m_toldHash = look.hash;
    }
}

bool DiskChanges::DiskDiffersFromKnown() const {
    const FileStamp now = FileStamp::Of(m_path);
    if (m_path.isEmpty() || !now.exists || now == m_known.stamp) {
        return false;
    }
    const fileread::ReadResult read = fileread::ReadFile(m_path);
    return !read.ok() || HashOf(read.bytes) != m_known.hash;
}
