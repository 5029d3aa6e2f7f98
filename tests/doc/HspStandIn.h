#pragma once
// A temporary HSP folder holding copies of the stand-in compiler library
// and runtime, and readers for their records.

#include "support/QuillTest.h"

class HspStandIn {
public:
    // Copies the stand-ins into `folder` (created if need be). `library` is
    // the stand-in's path relative to the stand-in folder.
    static bool Install(const QString& folder, const QString& library = "hspcmp.dll");

    // Copies the command-line stand-ins "hspcmp" and "hsp3cl" into `folder`.
    static bool InstallCommands(const QString& folder);
    // Waits (bounded) for the record of program `name` ("hspcmp", "hsp3cl")
    // in `folder`: its working directory, then its arguments.
    static QStringList WaitForProgram(const QString& folder, const QString& name,
                                      int timeoutMs = 5000);

    // The compiler's log lines in `folder` (empty when it was never loaded).
    static QStringList CompilerLog(const QString& folder);
    // Waits (bounded) for the runtime's record in `folder`: its working
    // directory, then its arguments. Empty when it never came.
    static QStringList WaitForRuntime(const QString& folder, int timeoutMs = 5000);
    // Whether the runtime recorded a start within `ms`.
    static bool RuntimeStartedWithin(const QString& folder, int ms);
    // Removes the records, so that the next run's can be told apart.
    static void ClearRecords(const QString& folder);
};
