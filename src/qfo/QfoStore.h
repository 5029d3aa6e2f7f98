#pragma once
// The QuickFileOpen store: named shortcuts to files, kept as small files in
// the folder QFO/ that QuillDataPaths chooses. Each entry is one file whose
// name is the registered name and whose whole content is the referenced path
// (the path's bytes as the file system names it, with no line end). Nothing
// is kept in memory: every operation forms its paths afresh and works on the
// folder at once. The folder beside the executable is never created; the one
// in the user's data folder is created by the first registration.

#include <QString>
#include <QStringList>
#include <optional>

// The store folder's path, ending with "/".
QString QfoStorePath();

// The entry path of `name`: the store folder's path followed by the name.
QString QfoEntryPath(const QString& name);

// True when `name` can be a registered name: a file name directly inside the
// store, never a path. Refused: the empty name, ".", "..", any name with "/"
// or a NUL character, a name whose file-system form is longer than a file
// name may be (NAME_MAX) or makes the entry path too long (PATH_MAX), and a
// name that the file system's encoding cannot hold. Every name is refused
// when there is no store folder at all.
bool QfoIsValidName(const QString& name);

// Every item of the store folder but "." and "..", subdirectories, hidden
// and other special files included, in alphabetical order ignoring letter
// case. Empty when the folder is missing or cannot be read.
QStringList QfoListEntries();

// The whole content of the entry `name`, every line break (CR LF or a lone
// LF) read as CR LF; nothing is trimmed. Empty optional when the name is not
// valid or the entry file cannot be read (a subdirectory, say).
std::optional<QString> QfoReadEntry(const QString& name);

// Creates or truncates the entry `name` and writes `path` unchanged, with no
// line end. False when the name is not valid, the file cannot be created or
// the path cannot be written whole.
bool QfoWriteEntry(const QString& name, const QString& path);

// Deletes the entry file `name`. False for an invalid name (the empty one
// included) and when the file cannot be deleted (a subdirectory, say).
bool QfoRemoveEntry(const QString& name);

// Replaces the entry `oldName` by the entry `newName` with `path`. The new
// entry is written first; the old one is removed only after that succeeded
// and only when the two names are different files, so that a failure never
// loses the old entry. A failed removal of the old entry is ignored. Returns
// whether the new entry was written.
bool QfoReplaceEntry(const QString& oldName, const QString& newName, const QString& path);

// Whether `path` names something that exists (a file or a folder), relative
// paths taken from the current folder.
bool QfoFileExists(const QString& path);
