#pragma once
// What QUILL knows of its script's file on disk, and whether the file has
// changed there since. A change is a file whose size, time stamp or
// identity (device and inode) differs from the last look *and* whose bytes
// differ from every content QUILL already knows there: the content it
// loaded or saved, and the content it last told the user about. A `touch`,
// or a checkout that writes the same bytes again, is no change; QUILL's own
// save is known content.

#include <QByteArray>
#include <QString>

#include "text/FileReader.h"

// The identity and state of a file as stat() gives them. The status change
// time is kept too: no program can set it back, so a rewrite that keeps
// size and time stamp is still seen (a chmod is too, and the hash then
// finds the bytes unchanged).
struct FileStamp {
    bool exists = false;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 mtimeNs = 0;
    qint64 ctimeNs = 0;

    bool operator==(const FileStamp&) const = default;
    // The stamp of the file at `path` (symbolic links followed).
    static FileStamp Of(const QString& path);
};

// Content QUILL knows to be in a file: the file's stamp and the hash of its
// bytes (empty when nothing is known).
struct KnownContent {
    FileStamp stamp;
    QByteArray hash;
    bool IsSet() const { return !hash.isEmpty(); }
};

class DiskChanges {
public:
    enum class State {
        Unchanged,   // nothing new on disk
        Changed,     // new content: `bytes` holds it
        Gone,        // no file at the path any more
        Unreadable,  // something new that cannot be read: `status` says why
    };
    struct Look {
        State state = State::Unchanged;
        QByteArray bytes;
        fileread::ReadStatus status = fileread::ReadStatus::Ok;
        FileStamp stamp;
        QByteArray hash;
    };

    // No file: an untitled script.
    void Clear();
    // The file at `path` holds `bytes`, as QUILL loaded or saved them;
    // `stamp` is the file's stamp taken before the bytes were read (or after
    // they were written). Forgets what was told to the user.
    void SetKnown(const QString& path, const QByteArray& bytes, const FileStamp& stamp);
    void SetKnown(const QString& path, const KnownContent& known);
    const QString& Path() const { return m_path; }
    const KnownContent& Known() const { return m_known; }

    // What is new on disk since the content was known or last told about.
    // A look at the same stamp, or at known content, is Unchanged.
    Look LookAtDisk();
    // The user has been told about `look` (or asked): LookAtDisk() stays
    // quiet about it until the file changes again.
    void Told(const Look& look);

    // For a save over the file: whether the bytes on disk differ from those
    // QUILL loaded or saved last (true too for a changed file that cannot
    // be read; false when the file is gone).
    bool DiskDiffersFromKnown() const;

    static QByteArray HashOf(const QByteArray& bytes);

private:
    QString m_path;
    KnownContent m_known;
    // The stamp of the last look that needs no word, and the content last
    // told about.
    FileStamp m_settledStamp;
    QByteArray m_toldHash;
};
