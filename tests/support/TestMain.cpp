// Test entry point: every test binary runs a real QApplication on the
// offscreen platform, with the settings store in a private folder.
#include <gtest/gtest.h>

#include <QApplication>
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

    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
