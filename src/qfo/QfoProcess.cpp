#include "qfo/QfoProcess.h"

#include <QCoreApplication>
#include <QProcess>

namespace {
QfoLaunchHook& LaunchHook() {
    static QfoLaunchHook hook;
    return hook;
}
}  // namespace

QStringList QfoLaunchArguments(const QString& path) {
    if (path.startsWith(QLatin1Char('-'))) {
        return {QStringLiteral("./") + path};
    }
    return {path};
}

void QfoLaunchProcess(const QString& path) {
    const QString program = QCoreApplication::applicationFilePath();
    const QStringList args = QfoLaunchArguments(path);
    if (LaunchHook()) {
        LaunchHook()(program, args);
        return;
    }
    QProcess::startDetached(program, args);
}

void SetQfoLaunchHookForTesting(QfoLaunchHook hook) {
    LaunchHook() = std::move(hook);
}
