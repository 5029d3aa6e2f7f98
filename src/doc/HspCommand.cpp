#include "doc/HspCommand.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

namespace {

// The value of placeholder `key` (the letter after "%"), or null for an
// unknown one.
const QString* ValueOf(QChar key, const HspCommandValues& values, const QString& utf8Flag) {
    switch (key.unicode()) {
        case 'h':
            return &values.folder;
        case 's':
            return &values.source;
        case 'o':
            return &values.object;
        case 'f':
            return &values.script;
        case 'd':
            return &values.workdir;
        case 'a':
            return &values.flags;
        case 'c':
            return &values.cmdline;
        case 'i':
            return &utf8Flag;
        default:
            return nullptr;
    }
}

QString ExpandArgument(const QString& arg, const HspCommandValues& values) {
    static const QString kUtf8Flag = QStringLiteral("-i");
    static const QString kNoFlag;
    const QString& utf8Flag = values.scriptIsUtf8 ? kUtf8Flag : kNoFlag;
    QString out;
    for (qsizetype i = 0; i < arg.size(); ++i) {
        const QChar c = arg.at(i);
        if (c != u'%' || i + 1 == arg.size()) {
            out += c;
            continue;
        }
        const QChar key = arg.at(i + 1);
        if (key == u'%') {
            out += c;
            ++i;
        } else if (const QString* value = ValueOf(key, values, utf8Flag)) {
            out += *value;
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

HspCommandValues HspCommandValuesOf(const HspRunPlan& plan, const HspRunSettings& settings,
                                    const QString& scriptPath, bool scriptIsUtf8) {
    return {plan.folder,      plan.source,  plan.object,
            scriptPath,       plan.workdir, RunFlags(settings.exestat),
            settings.cmdline, scriptIsUtf8};
}

QStringList ExpandHspCommand(const QString& command, const HspCommandValues& values) {
    QStringList args;
    for (const QString& arg : SplitCommandLine(command)) {
        if (arg == QLatin1String("%c")) {
            args += SplitCommandLine(values.cmdline);
            continue;
        }
        const QString expanded = ExpandArgument(arg, values);
        if (!expanded.isEmpty()) {
            args += expanded;
        }
    }
    return args;
}

QString CommandLineText(const QStringList& args) {
    QStringList shown;
    for (const QString& arg : args) {
        const bool plain =
            !arg.isEmpty() && !arg.contains(u'"') && !arg.contains(u'\'') &&
            std::none_of(arg.begin(), arg.end(), [](QChar c) { return c.isSpace(); });
        if (plain) {
            shown += arg;
        } else {
            QString quoted = arg;
            quoted.replace(QLatin1String("\""), QLatin1String("\"\"\""));
            shown += u'"' + quoted + u'"';
        }
    }
    return shown.join(u' ');
}

QString FindProgram(const QString& program, const QString& workdir) {
    if (program.isEmpty()) {
        return QString();
    }
    if (!program.contains(u'/')) {
        return QStandardPaths::findExecutable(program);
    }
    const QFileInfo file(QDir(workdir).absoluteFilePath(program));
    return file.isFile() && file.isExecutable() ? file.absoluteFilePath() : QString();
}
