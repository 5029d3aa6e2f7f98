#include "doc/CDiskWatcher.h"

#include <QFileInfo>

CDiskWatcher::CDiskWatcher(QObject* parent) : QObject(parent) {
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, &CDiskWatcher::Noticed);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &CDiskWatcher::OnChange);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &CDiskWatcher::OnChange);
}

void CDiskWatcher::Watch(const QString& path) {
    if (path == m_path) {
        Rearm();
        return;
    }
    m_settle.stop();
    if (!m_watcher.files().isEmpty()) {
        m_watcher.removePaths(m_watcher.files());
    }
    if (!m_watcher.directories().isEmpty()) {
        m_watcher.removePaths(m_watcher.directories());
    }
    m_path = path;
    if (!path.isEmpty()) {
        m_watcher.addPath(QFileInfo(path).absolutePath());
        Rearm();
    }
}

void CDiskWatcher::OnChange() {
    Rearm();
    m_settle.start();
}

void CDiskWatcher::Rearm() {
    // A file renamed over the path, or made again, is a new file: the
    // watch on the old one has gone with it.
    if (!m_path.isEmpty() && !m_watcher.files().contains(m_path) && QFileInfo::exists(m_path)) {
        m_watcher.addPath(m_path);
    }
}
