#include "doc/HspRunPlan.h"

#include <QDir>
#include <QProcess>

namespace {

// `name` as an absolute path: relative names are taken from `dir`.
QString Resolve(const QString& dir, const QString& name) {
    return QDir::isAbsolutePath(name) ? name : QDir(dir).absoluteFilePath(name);
}

}  // namespace

QString RunFolderOf(const QString& docPath, const QString& hspdir) {
    if (docPath.isEmpty()) {
        return hspdir;
    }
    const qsizetype slash = docPath.lastIndexOf(QLatin1Char('/'));
    if (slash < 0) {
        return QString();
    }
    // A script in the root folder runs there rather than in no folder at all.
    return slash == 0 ? QStringLiteral("/") : docPath.left(slash);
}

QStringList RuntimeArguments(const QString& object, int exestat, const QString& cmdline) {
    QString first;
    if (exestat & kExeStatFullScreen) {
        first += QLatin1Char('*');
    }
    if (exestat & kExeStatDebugWindow) {
        first += QLatin1Char('@');
    }
    first += object;
    return QStringList{first} + QProcess::splitCommand(cmdline);
}

HspRunPlan MakeHspRunPlan(const QString& hspdir, int exestat, const QString& cmdline,
                          const QString& docPath, const QString& currentDir) {
    HspRunPlan plan;
    const QString folder = RunFolderOf(docPath, hspdir);
    if (!folder.isEmpty()) {
        plan.workdir = Resolve(currentDir, folder);
    }
    // The HSP folder is a plain prefix: with it empty, the bare names are
    // found in the working directory.
    const QString base = plan.workdir.isEmpty() ? currentDir : plan.workdir;
    plan.source = Resolve(base, hspdir + QStringLiteral("hsptmp"));
    plan.object = Resolve(base, hspdir + QStringLiteral("obj"));
    plan.library = Resolve(base, hspdir + QStringLiteral("hspcmp.dll"));
    plan.runtime = Resolve(base, hspdir + QStringLiteral("hsp2"));
    plan.args = RuntimeArguments(plan.object, exestat, cmdline);
    return plan;
}
