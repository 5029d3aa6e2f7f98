#pragma once
// The one guarded way QUILL reads a file, for the user (scripts) or for
// itself (QUILL.DAT, QuickFileOpen entries): only regular files are read,
// they are opened without blocking (a named pipe or a device never stalls
// the program) and checked after opening, the size is limited, and a failed
// allocation is reported instead of ending the program.

#include <QByteArray>
#include <QString>

namespace fileread {

// The largest file read by default: 256 MiB. A script's text costs about
// twenty times its size once decoded, laid out and colored, so a file at
// the limit still fits comfortably in a few gigabytes, while anything
// larger is not a script (or QUILL.DAT) at all.
inline constexpr qint64 kMaxFileBytes = qint64(256) * 1024 * 1024;

enum class ReadStatus {
    Ok,
    NotFound,     // no such file
    NotRegular,   // a folder, named pipe, socket or device
    TooLarge,     // more bytes than the limit
    OutOfMemory,  // the bytes could not be held in memory
    ReadFailed,   // opening or reading failed otherwise (permissions, I/O)
};

struct ReadResult {
    QByteArray bytes;
    ReadStatus status = ReadStatus::ReadFailed;
    bool ok() const { return status == ReadStatus::Ok; }
};

// Reads the whole file at `path` (symbolic links followed unless
// `noFollow`); at most `maxBytes` bytes.
ReadResult ReadFile(const QString& path, qint64 maxBytes = kMaxFileBytes, bool noFollow = false);

}  // namespace fileread
