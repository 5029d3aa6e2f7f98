#pragma once
// The folder of recovery copies, one copy per running editor.
//
// Each editor claims an id at start-up and holds a QLockFile "<id>.lock" for
// as long as it runs; its copy is "<id>.rec". A copy whose lock can be taken
// belongs to an editor that is gone (crashed, killed, powered off); a copy
// whose lock is held belongs to a live editor and is left alone.

#include <QList>
#include <QLockFile>
#include <QString>
#include <memory>
#include <optional>

#include "doc/RecoveryCopy.h"

class RecoveryStore {
public:
    // A copy left by an editor that is gone. The store holds its lock while
    // the entry lives, so that no other editor offers it at the same time.
    struct Orphan {
        QString filePath;
        std::optional<RecoveryCopy> copy;  // nullopt when unreadable or damaged
        QString error;                     // why it could not be read
        std::shared_ptr<QLockFile> lock;
    };

    explicit RecoveryStore(const QString& folder);
    ~RecoveryStore();

    // $XDG_STATE_HOME (or ~/.local/state) + "/QUILL/recovery".
    static QString DefaultFolder();

    const QString& Folder() const { return m_folder; }

    // Creates the folder and takes this editor's lock. False (with a message)
    // when the folder cannot be made or locked; no copy is written then.
    bool Claim(QString* error);
    QString OwnCopyPath() const;

    // Writes this editor's copy atomically (the old copy stays whole when
    // the write fails).
    bool WriteOwn(const RecoveryCopy& copy, QString* error);
    void RemoveOwn();
    // Writes a copy that is nobody's: the next editor to start offers it
    // (changes replaced by a reload are kept this way).
    bool WriteKept(const RecoveryCopy& copy, QString* error);
    bool HasOwnCopy() const;

    // Every copy in the folder whose editor is gone, read and locked; the
    // copies of live editors (this one included) are skipped.
    QList<Orphan> ClaimOrphans() const;
    // One copy named by its file path, when its editor is gone.
    std::optional<Orphan> ClaimOrphan(const QString& filePath) const;
    // Deletes a read copy and its lock. A copy that could not be read is
    // never deleted: it is released and stays in place.
    static void Discard(Orphan& orphan);
    // Gives the copy back untouched (lock released).
    static void Release(Orphan& orphan);

private:
    static bool WriteCopy(const QString& path, const RecoveryCopy& copy, QString* error);

    QString m_folder;
    QString m_id;
    std::unique_ptr<QLockFile> m_lock;
};
