#pragma once
// One recovery copy: the unsaved text of a script as a save would write it,
// with a small text header naming the script, the time and the process.
//
// File layout (header lines end with LF; the body follows the blank line):
//   QUILL recovery 1
//   path: <script path, UTF-8, percent-encoded; empty when untitled>
//   time: <UTC time the copy was written, ISO 8601 with milliseconds>
//   pid: <process id of the editor that wrote it>
//   encoding: shift_jis | utf-8 | utf-8-bom
//   length: <body size in bytes>
//   disk: <device> <inode> <size> <mtime ns> <ctime ns> <SHA-256 hex>
//         (the script's file as the editor knew it; only when known)
//
//   <body>
// The body is the bytes a save writes in the script's encoding (the copy is
// restored in that encoding); when the text of a Shift_JIS script holds a
// character that Shift_JIS cannot hold it is the same text (same line ends)
// in UTF-8 instead, so that nothing typed is lost.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>

#include "doc/DiskChanges.h"
#include "text/TextEncoding.h"

struct RecoveryCopy {
    using Encoding = textenc::Encoding;

    QString scriptPath;  // empty for an untitled script
    QDateTime written;   // UTC
    qint64 pid = 0;
    Encoding encoding = Encoding::ShiftJis;
    QByteArray body;
    // The script's file as the editor knew it when the copy was written.
    KnownContent disk;

    bool IsUntitled() const { return scriptPath.isEmpty(); }
    // The body as text with its line ends, decoded as it was encoded.
    QString Text() const;
};

// The copy as file bytes.
QByteArray FormatRecoveryCopy(const RecoveryCopy& copy);

// Reads file bytes back; nullopt with a reason in `why` when the bytes are
// not a complete recovery copy (wrong header, missing field, truncated body).
std::optional<RecoveryCopy> ParseRecoveryCopy(const QByteArray& bytes, QString* why);
