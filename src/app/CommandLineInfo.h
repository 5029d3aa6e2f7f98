#pragma once
// The editor's command line: an optional script to open, or a request for
// the usage or the version, which are printed instead of starting.

#include <QString>
#include <QStringList>

struct CommandLineInfo {
    enum class Action {
        Open,         // start the editor on `files` (none: a new script)
        ShowHelp,     // print `text` (the usage) and exit with kExitOk
        ShowVersion,  // print `text` (the version) and exit with kExitOk
        Error,        // print `text` (what is wrong) and exit with kExitUsage
    };

    // Exit codes of the printing actions.
    static constexpr int kExitOk = 0;
    static constexpr int kExitUsage = 1;

    Action action = Action::Open;
    // The scripts named; the editor opens the first.
    QStringList files;
    // The recovery copy to restore (--recover COPY) instead of opening a file.
    QString recoverCopy;
    // What to print for the other actions, ending with a line end.
    QString text;
};

// Parses `arguments` (the program name first) for the editor of `version`;
// the texts to print are in Japanese when `japanese` is set, else in
// English. Options are --help (-h) and --version (-v); "--" ends the
// options, so that a file whose name starts with "-" can be named. An
// unknown option is an error, whatever else is given.
CommandLineInfo ParseCommandLine(const QStringList& arguments, const QString& version,
                                 bool japanese = false);

// Whether the user's locale asks for messages in Japanese: the first of
// LC_ALL, LC_MESSAGES and LANG that is set names a Japanese locale.
bool LocaleIsJapanese();
