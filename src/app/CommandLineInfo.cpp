#include "app/CommandLineInfo.h"

#include <QCommandLineParser>

namespace {

constexpr char kProgramName[] = "quill";

// The texts printed for the command line, in English and in Japanese.
struct CommandLineTexts {
    const char* usage;
    const char* unknownOption;  // %1: the option's name
    const char* tryHelp;        // %1: the program's name
    const char* licence;
};

const CommandLineTexts kEnglish = {
    "Usage: quill [options] [FILE]\n"
    "QUILL, an editor for HSP scripts (*.as, Shift_JIS text).\n"
    "Opens FILE, or a new script when no file is named.\n"
    "\n"
    "Options:\n"
    "  -h, --help     Print this usage and exit.\n"
    "  -v, --version  Print the version and exit.\n"
    "\n"
    "Arguments:\n"
    "  FILE           The script to open.\n",
    "Unknown option '%1'.",
    "Try '%1 --help' for more information.",
    "Copyright (c) 2026 the QUILL authors\n"
    "License: MIT. This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY, to the extent permitted by law.\n",
};

const CommandLineTexts kJapanese = {
    "使い方: quill [オプション] [ファイル]\n"
    "QUILL は HSP スクリプト (*.as、Shift_JIS テキスト) のエディタです。\n"
    "ファイルを開きます。ファイルを指定しないときは新しいスクリプトを開きます。\n"
    "\n"
    "オプション:\n"
    "  -h, --help     この使い方を表示して終了します。\n"
    "  -v, --version  バージョンを表示して終了します。\n"
    "\n"
    "引数:\n"
    "  ファイル       開くスクリプト。\n",
    "不明なオプション '%1' です。",
    "'%1 --help' で使い方を表示します。",
    "Copyright (c) 2026 the QUILL authors\n"
    "ライセンス: MIT。自由に改変・再配布できるフリーソフトウェアです。\n"
    "法律で認められる範囲で、いかなる保証もありません。\n",
};

}  // namespace

bool LocaleIsJapanese() {
    // The first of these that is set names the language of messages.
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QByteArray value = qgetenv(name);
        if (!value.isEmpty()) {
            return value.startsWith("ja");
        }
    }
    return false;
}

CommandLineInfo ParseCommandLine(const QStringList& arguments, const QString& version,
                                 bool japanese) {
    const CommandLineTexts& texts = japanese ? kJapanese : kEnglish;
    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption versionOption(
        QStringList{QStringLiteral("v"), QStringLiteral("version")});
    // Used by an editor that starts another one to restore a recovery copy.
    const QCommandLineOption recover(QStringLiteral("recover"), QString(), QStringLiteral("COPY"));
    parser.addOption(help);
    parser.addOption(versionOption);
    parser.addOption(recover);

    CommandLineInfo info;
    if (!parser.parse(arguments)) {
        info.action = CommandLineInfo::Action::Error;
        const QStringList unknown = parser.unknownOptionNames();
        const QString error = unknown.isEmpty()
                                  ? parser.errorText()
                                  : QString::fromUtf8(texts.unknownOption).arg(unknown.first());
        info.text = QStringLiteral("%1: %2\n%3\n")
                        .arg(QLatin1String(kProgramName), error,
                             QString::fromUtf8(texts.tryHelp).arg(QLatin1String(kProgramName)));
    } else if (parser.isSet(help)) {
        info.action = CommandLineInfo::Action::ShowHelp;
        info.text = QString::fromUtf8(texts.usage);
    } else if (parser.isSet(versionOption)) {
        info.action = CommandLineInfo::Action::ShowVersion;
        info.text = QStringLiteral("QUILL %1\n").arg(version) + QString::fromUtf8(texts.licence);
    } else if (parser.isSet(recover)) {
        info.recoverCopy = parser.value(recover);
    } else {
        info.files = parser.positionalArguments();
    }
    return info;
}
