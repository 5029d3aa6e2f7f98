#include "res/ExePath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "res/FolderPrefix.h"

namespace {
QString& ExecutablePathOverride() {
    static QString path;
    return path;
}
}  // namespace

QString ExeRelativePath(const QString& name) {
    const QString exe = ExecutablePathOverride().isEmpty() ? QCoreApplication::applicationFilePath()
                                                           : ExecutablePathOverride();
    const qsizetype slash = exe.lastIndexOf('/');
    return exe.left(slash + 1) + name;
}

void SetExecutablePathForTesting(const QString& path) {
    ExecutablePathOverride() = path;
}

DataPaths DecideDataPaths(const QString& exeDir, const QString& userDataDir,
                          const QStringList& installedDataDirs) {
    const QString keywordFile = QLatin1String(kKeywordFileName);
    const QString qfoFolder = QLatin1String(kQfoFolderName);
    if (QFileInfo::exists(exeDir + keywordFile) || QFileInfo(exeDir + qfoFolder).isDir()) {
        return {exeDir + keywordFile, exeDir + qfoFolder, false};
    }
    DataPaths paths;
    if (!userDataDir.isEmpty()) {
        const QString userDir = FolderPrefix(userDataDir);
        paths.keywordFile = userDir + keywordFile;
        paths.qfoFolder = userDir + qfoFolder;
        paths.createsQfoFolder = true;
    }
    if (paths.keywordFile.isEmpty() || !QFileInfo::exists(paths.keywordFile)) {
        for (const QString& dir : installedDataDirs) {
            const QString candidate = FolderPrefix(dir) + keywordFile;
            if (QFileInfo::exists(candidate)) {
                paths.keywordFile = candidate;
                break;
            }
        }
    }
    return paths;
}

DataPaths QuillDataPaths() {
    const QString exeDir = ExeRelativePath(QString());
    const QString folder = QLatin1String(kDataFolderName);
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString userDataDir = dataHome.isEmpty() ? QString() : dataHome + '/' + folder;
    QStringList installed{QDir::cleanPath(exeDir + QStringLiteral("../share/") + folder)};
    for (const QString& dir :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        const QString candidate = QDir::cleanPath(dir + '/' + folder);
        if (candidate != QDir::cleanPath(userDataDir) && !installed.contains(candidate)) {
            installed.append(candidate);
        }
    }
    return DecideDataPaths(exeDir, userDataDir, installed);
}
