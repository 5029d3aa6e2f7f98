// Test entry point: every test binary runs a real QApplication on the
// offscreen platform, with the settings store and the XDG data folders in
// private folders (an installed QUILL on the machine is never seen).
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // QSettings fixes its folder on first use, so it must be private before that.
    QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
    // Recovery copies of the editors that tests start stay private too.
    QTemporaryDir stateHome;
    qputenv("XDG_STATE_HOME", stateHome.path().toLocal8Bit());
    QTemporaryDir dataHome;
    qputenv("XDG_DATA_HOME", dataHome.filePath("home").toLocal8Bit());
    // The system data folder is private too, but keeps the MIME database:
    // Qt's file dialogs list nothing without it.
    const QString systemData = dataHome.filePath("system");
    QDir().mkpath(systemData);
    QFile::link(QStringLiteral("/usr/share/mime"), systemData + QStringLiteral("/mime"));
    qputenv("XDG_DATA_DIRS", systemData.toLocal8Bit());

    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
