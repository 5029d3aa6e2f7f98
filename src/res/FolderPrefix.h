#pragma once
// Folder settings as the prefix of the names of the files in them.

#include <QString>

// `folder` with a final "/", so that a file name appended to it names a
// file in it: a folder typed without one ("/opt/hsp") is taken as if it had
// one. Empty stays empty (names are then relative to the working folder).
QString FolderPrefix(const QString& folder);
