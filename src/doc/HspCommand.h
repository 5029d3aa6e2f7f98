#pragma once
// Compile and run through commands: a command is a line of text split into
// arguments like the run options' command line, then placeholders are
// replaced inside each argument, so a path with spaces stays one argument
// and no shell ever sees it. Pure functions.

#include <QString>
#include <QStringList>

#include "doc/HspRunPlan.h"

// The default commands, used while the settings hold none.
inline constexpr char kDefaultCompileCommand[] = "%hhspcmp %i -o%o %s";
inline constexpr char kDefaultRunCommand[] = "%hhsp3cl %o %c";

// What the placeholders stand for.
struct HspCommandValues {
    QString folder;   // %h: the HSP folder, absolute, with its final "/"
    QString source;   // %s: the temporary source
    QString object;   // %o: the object file
    QString script;   // %f: the script's own path (empty when untitled)
    QString workdir;  // %d: the working directory
    QString flags;    // %a: the run-option flags ("*", "@")
    QString cmdline;  // %c: the run options' command line
    // %i: "-i" when the script is UTF-8, nothing for Shift_JIS.
    bool scriptIsUtf8 = false;
};

// The placeholders' values for a run as `plan` and `settings` give it, for
// the script at `scriptPath` (empty: untitled), read as UTF-8 or Shift_JIS.
HspCommandValues HspCommandValuesOf(const HspRunPlan& plan, const HspRunSettings& settings,
                                    const QString& scriptPath, bool scriptIsUtf8);

// `command` as a program and its arguments. "%%" is a percent sign and an
// unknown "%x" stays as written. "%c" standing alone as an argument becomes
// the command line's own arguments; inside a longer argument it is the
// command line's text. An argument that expands to nothing is dropped.
QStringList ExpandHspCommand(const QString& command, const HspCommandValues& values);

// An argument list as one line to show: arguments with blanks or quotes are
// put in double quotes, as the command would be typed.
QString CommandLineText(const QStringList& args);

// The executable file that `program` names: a name with a "/" is taken from
// `workdir` when relative, a bare name is looked for in PATH. Empty when
// there is no such file or it cannot be executed.
QString FindProgram(const QString& program, const QString& workdir);
