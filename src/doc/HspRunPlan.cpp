#include "doc/HspRunPlan.h"

#include <QDir>

#include "res/FolderPrefix.h"

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

QString RunFlags(int exestat) {
    QString flags;
    if (exestat & kExeStatFullScreen) {
        flags += QLatin1Char('*');
    }
    if (exestat & kExeStatDebugWindow) {
        flags += QLatin1Char('@');
    }
    return flags;
}

QStringList RuntimeArguments(const QString& object, int exestat, const QString& cmdline) {
    return QStringList{RunFlags(exestat) + object} + SplitCommandLine(cmdline);
}

QStringList SplitCommandLine(const QString& cmdline) {
    QStringList args;
    QString arg;
    int quoteCount = 0;
    bool inQuote = false;
    for (qsizetype i = 0; i < cmdline.size(); ++i) {
        const QChar c = cmdline.at(i);
        if (c == u'"') {
            // Three double quotes in a row stand for one literal quote.
            if (++quoteCount == 3) {
                quoteCount = 0;
                arg += c;
            }
            continue;
        }
        if (quoteCount == 1) {
            inQuote = !inQuote;
        }
        quoteCount = 0;
        if (!inQuote && c.isSpace()) {
            if (!arg.isEmpty()) {
                args += arg;
                arg.clear();
            }
            continue;
        }
        // A single quote that begins a word keeps everything up to the next
        // single quote together; elsewhere it is an ordinary character. The
        // search runs only from such a quote and the scan resumes after the
        // closing one, so the whole split stays linear.
        if (c == u'\'' && !inQuote && arg.isEmpty()) {
            const qsizetype close = cmdline.indexOf(u'\'', i + 1);
            if (close > i) {
                arg += cmdline.mid(i + 1, close - i - 1);
                i = close;
                continue;
            }
        }
        arg += c;
    }
    if (!arg.isEmpty()) {
        args += arg;
    }
    return args;
}

HspRunPlan MakeHspRunPlan(const QString& hspdir, int exestat, const QString& cmdline,
                          const QString& docPath, const QString& currentDir) {
    HspRunPlan plan;
    const QString folder = RunFolderOf(docPath, hspdir);
    if (!folder.isEmpty()) {
        plan.workdir = Resolve(currentDir, folder);
    }
    // The HSP folder is a prefix: with it empty, the bare names are found in
    // the working directory.
    const QString base = plan.workdir.isEmpty() ? currentDir : plan.workdir;
    const QString prefix = FolderPrefix(hspdir);
    plan.source = Resolve(base, prefix + QStringLiteral("hsptmp"));
    plan.object = Resolve(base, prefix + QStringLiteral("obj"));
    plan.library = Resolve(base, prefix + QStringLiteral("hspcmp.dll"));
    plan.runtime = Resolve(base, prefix + QStringLiteral("hsp2"));
    plan.folder = plan.source.left(plan.source.size() - qsizetype(sizeof "hsptmp" - 1));
    plan.args = RuntimeArguments(plan.object, exestat, cmdline);
    return plan;
}
