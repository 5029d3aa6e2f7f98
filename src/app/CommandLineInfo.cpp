#include "app/CommandLineInfo.h"

#include <QCommandLineParser>

namespace {
constexpr char kProgramName[] = "quill";
}  // namespace

CommandLineInfo ParseCommandLine(const QStringList& arguments, const QString& version) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("QUILL, an editor for HSP scripts (*.as, Shift_JIS text).\n"
                       "Opens FILE, or a new script when no file is named."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Print this usage and exit."));
    const QCommandLineOption versionOption({QStringLiteral("v"), QStringLiteral("version")},
                                           QStringLiteral("Print the version and exit."));
    // Used by an editor that starts another one to restore a recovery copy.
    QCommandLineOption recover(QStringLiteral("recover"), QString(), QStringLiteral("COPY"));
    recover.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(help);
    parser.addOption(versionOption);
    parser.addOption(recover);
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The script to open."),
                                 QStringLiteral("[FILE]"));

    CommandLineInfo info;
    if (!parser.parse(arguments)) {
        info.action = CommandLineInfo::Action::Error;
        info.text = QStringLiteral("%1: %2\nTry '%1 --help' for more information.\n")
                        .arg(QLatin1String(kProgramName), parser.errorText());
    } else if (parser.isSet(help)) {
        info.action = CommandLineInfo::Action::ShowHelp;
        // The usage line names the program as it is installed, whatever path
        // started it.
        const QString text = parser.helpText();
        const qsizetype rest = text.indexOf(QLatin1String(" [options]"));
        info.text = QStringLiteral("Usage: ") + QLatin1String(kProgramName) + text.mid(rest);
    } else if (parser.isSet(versionOption)) {
        info.action = CommandLineInfo::Action::ShowVersion;
        info.text = QStringLiteral("QUILL %1\n").arg(version);
    } else if (parser.isSet(recover)) {
        info.recoverCopy = parser.value(recover);
    } else {
        info.files = parser.positionalArguments();
    }
    return info;
}
