#pragma once
// Finding files beside the executable, and deciding where the word list and
// the QuickFileOpen store live.

#include <QString>
#include <QStringList>

// The running executable's path with its file name (the last path component
// only) replaced by `name`, e.g. "QUILL.DAT" or "QFO/".
QString ExeRelativePath(const QString& name);

// Tests point the executable's path elsewhere; an empty path restores the
// real one.
void SetExecutablePathForTesting(const QString& path);

// The word list's file name and the QuickFileOpen store's folder name.
inline constexpr char kKeywordFileName[] = "QUILL.DAT";
inline constexpr char kQfoFolderName[] = "QFO/";
// The folder under each XDG data folder that holds QUILL's data.
inline constexpr char kDataFolderName[] = "quill";

// Where QUILL's data lives for one run.
struct DataPaths {
    // The word list to read. It may be missing: reading it then reports.
    QString keywordFile;
    // The QuickFileOpen store folder, ending with "/"; empty when there is
    // no place for it.
    QString qfoFolder;
    // Whether registering a shortcut creates a missing store folder. A store
    // beside the executable is never created.
    bool createsQfoFolder = false;
};

// The one decision on data paths. When `exeDir` (ending with "/") holds
// QUILL.DAT or a QFO folder, both live there (a portable copy, the build
// folder). Otherwise the word list is the user's own copy in `userDataDir`
// when that exists, else the first copy found in `installedDataDirs`; the
// store is `userDataDir`/QFO/, created on first registration.
DataPaths DecideDataPaths(const QString& exeDir, const QString& userDataDir,
                          const QStringList& installedDataDirs);

// The decision for the running executable. The user's data folder is
// "quill" in the XDG data home; the installed copies are looked for in
// <prefix>/share/quill (the executable being <prefix>/bin/quill) and in
// "quill" under each XDG data folder.
DataPaths QuillDataPaths();
