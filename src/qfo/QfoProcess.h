#pragma once
// Starting a second editor process for a QuickFileOpen entry.

#include <QString>
#include <QStringList>
#include <functional>

// The new process's arguments for opening `path`: the path as the one
// argument, never cut. A relative path that starts with "-" gets "./" in
// front, so that the new process cannot take it for one of its options.
QStringList QfoLaunchArguments(const QString& path);

// Starts the editor's own executable with QfoLaunchArguments(path), detached
// and without a shell, in the current folder; the editor does not wait for
// it. Whether it started is not reported.
void QfoLaunchProcess(const QString& path);

// Tests replace the process start; an empty function restores it.
using QfoLaunchHook = std::function<void(const QString& program, const QStringList& args)>;
void SetQfoLaunchHookForTesting(QfoLaunchHook hook);
