#pragma once
// Tells when the file at a path may have changed: watches the file (a
// write in place) and its folder (a file renamed over it, deleted or made
// again), and re-arms the file's watch when the file is replaced. Many
// changes in a row give one signal, a short while after the last.
//
// A folder that cannot be watched (some network and FUSE file systems)
// gives no signal; the editor's check on activation covers it.

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

class CDiskWatcher : public QObject {
    Q_OBJECT
public:
    // Quiet time after the last change before Noticed() is sent.
    static constexpr int kSettleMs = 150;

    explicit CDiskWatcher(QObject* parent = nullptr);

    // Watches `path` (absolute) from now on; an empty path watches nothing.
    void Watch(const QString& path);
    // Whether the file or its folder is watched.
    bool IsWatching() const {
        return !m_watcher.files().isEmpty() || !m_watcher.directories().isEmpty();
    }

signals:
    // The file or its folder has changed.
    void Noticed();

private:
    void OnChange();
    // Watches the file again when a new one stands at the path.
    void Rearm();

    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    QString m_path;
};
