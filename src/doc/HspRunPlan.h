#pragma once
// Everything compile and run needs to know, worked out from the settings and
// the script's path before anything is touched: the working directory, the
// files in the HSP folder and the runtime's arguments. Pure functions.

#include <QString>
#include <QStringList>

struct HspRunPlan {
    // Absolute working directory; empty when none could be worked out.
    QString workdir;
    // Absolute paths of the temporary source, the object file, the compiler
    // library and the runtime: the HSP folder (with a final "/") followed by the name,
    // resolved against the working directory when relative.
    QString source;
    QString object;
    QString library;
    QString runtime;
    // The HSP folder itself, absolute, with a final "/" (the folder the four
    // files above are in).
    QString folder;
    // The runtime's arguments: the flags and the object file as one
    // argument, then the user's command line split into arguments.
    QStringList args;
};

// The settings a run reads, as they are when it starts.
struct HspRunSettings {
    QString hspdir;
    int exestat = 0;
    QString cmdline;
    // The compile and run commands; an empty compile command means the
    // compiler library only.
    QString compileCommand;
    QString runCommand;
};

// Run-option bits: only these two change the runtime's arguments.
constexpr int kExeStatFullScreen = 1;
constexpr int kExeStatDebugWindow = 2;

// The folder a run works in, as text: the script's path up to, not including,
// its last "/" (the root "/" for a script directly in it; empty when the
// path has no "/"), or `hspdir` as it stands for an untitled script.
QString RunFolderOf(const QString& docPath, const QString& hspdir);

// "*" for full screen, then "@" for the debug window: the run-option flags
// as the runtime takes them.
QString RunFlags(int exestat);

// "*" for full screen, then "@" for the debug window, then `object`, as one
// argument; then `cmdline` split as a shell would split words (quotes keep
// a part together) but never given to a shell.
QStringList RuntimeArguments(const QString& object, int exestat, const QString& cmdline);

// Splits a command line into arguments without any shell: blanks separate
// them; a double-quoted part, or a single-quoted part at the start of a word,
// stays one argument ("""" inside double quotes is a literal quote); an
// apostrophe inside a word is an ordinary character.
QStringList SplitCommandLine(const QString& cmdline);

// The whole plan; relative folders are resolved against `currentDir`.
HspRunPlan MakeHspRunPlan(const QString& hspdir, int exestat, const QString& cmdline,
                          const QString& docPath, const QString& currentDir);
