#pragma once
// Finding files beside the executable.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Replaces, in place, every occurrence of `find` in the zero-terminated byte
// string held by `buffer` (the bytes before its first zero byte) by
// `replacement`. Matching is byte for byte and case-sensitive; inserted text
// is never searched again. An empty `find` changes nothing.
void StrReplace(QByteArray& buffer, QByteArrayView find, QByteArrayView replacement);

// The running executable's path with its file name (the last path component
// only) replaced by `name`, e.g. "QUILL.DAT" or "QFO/".
QString ExeRelativePath(const QString& name);

// Tests point the executable's path elsewhere; an empty path restores the
// real one.
void SetExecutablePathForTesting(const QString& path);
