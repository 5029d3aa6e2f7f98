#pragma once
// The recent-file list of the File menu: the rules for adding a file and the
// texts of its menu entries. The list itself lives in the settings
// ("Recent File List", File1..File4, most recent first).

#include <QString>
#include <QStringList>

namespace recent {

// `files` with `path` put first: an entry naming the same file (after making
// both absolute and clean) is removed, empty entries are dropped, and the
// list is cut to `max` entries.
QStringList Add(const QStringList& files, const QString& path, int max);

// `files` without the entry at `index` (unchanged when out of range).
QStringList Remove(const QStringList& files, int index);

// Menu text of entry `index` (0-based): "&1 /path/file.as"; an "&" in the
// path is doubled so that it shows as itself.
QString MenuText(int index, const QString& path);

}  // namespace recent
