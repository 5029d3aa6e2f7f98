#include "support/TestUtil.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTimer>
#include <QWidget>
#include <memory>

namespace testutil {

void WhenModal(std::function<void(QWidget*)> act, int timeoutMs) {
    // A dialog is acted on once its window is active, so that focus checks
    // see what the user would; a window that never becomes active is acted
    // on after a while all the same.
    constexpr int kActivationWaitMs = 1000;
    auto timer = new QTimer;
    auto clock = std::make_shared<QElapsedTimer>();
    auto seen = std::make_shared<QElapsedTimer>();
    clock->start();
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, clock, seen, act, timeoutMs]() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && !seen->isValid()) {
            seen->start();
        }
        if (modal && (modal->isActiveWindow() || seen->elapsed() > kActivationWaitMs)) {
            timer->stop();
            timer->deleteLater();
            act(modal);
        } else if (clock->elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
}

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) {
        f.write(bytes);
    }
    return path;
}

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void ClearSettings() {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, "Blue Moss!", "QUILL");
    s.clear();
    s.sync();
}

QString SettingsFile() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, "Blue Moss!", "QUILL").fileName();
}

ScopedEnv::ScopedEnv(const char* name, const QString& value)
    : m_name(name), m_old(qgetenv(name)), m_wasSet(qEnvironmentVariableIsSet(name)) {
    qputenv(name, QFile::encodeName(value));
}

ScopedEnv::~ScopedEnv() {
    if (m_wasSet) {
        qputenv(m_name, m_old);
    } else {
        qunsetenv(m_name);
    }
}

QString SourceDir() {
    return QStringLiteral(QUILL_SOURCE_DIR);
}

}  // namespace testutil
