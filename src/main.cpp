#include <QApplication>
#include <QTextStream>
#include <cstdio>

#include "app/CQuillApp.h"
#include "app/CRecoveryOffer.h"
#include "app/CommandLineInfo.h"

namespace {

constexpr int kExitStartFailed = 1;

// Prints what a printing action of the command line says: the usage and the
// version on standard output, an error on standard error. Returns the exit
// code.
int Print(const CommandLineInfo& info) {
    const bool error = info.action == CommandLineInfo::Action::Error;
    QTextStream(error ? stderr : stdout) << info.text;
    return error ? CommandLineInfo::kExitUsage : CommandLineInfo::kExitOk;
}

// Whether the command line is answered by printing alone, before the window
// system is opened. An unknown option is, when no window system could be
// opened anyway: it may otherwise be one of the application's own options.
bool IsTextOnly(const CommandLineInfo& info, const QStringList& arguments) {
    switch (info.action) {
        case CommandLineInfo::Action::ShowHelp:
        case CommandLineInfo::Action::ShowVersion:
            return true;
        case CommandLineInfo::Action::Error:
            return qEnvironmentVariableIsEmpty("DISPLAY") &&
                   qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
                   qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
                   !arguments.contains(QStringLiteral("-platform"));
        case CommandLineInfo::Action::Open:
            break;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    // --help and --version work without a display.
    QStringList raw;
    for (int i = 0; i < argc; ++i) {
        raw.append(QString::fromLocal8Bit(argv[i]));
    }
    const CommandLineInfo early =
        ParseCommandLine(raw, QStringLiteral(QUILL_VERSION), LocaleIsJapanese());
    if (IsTextOnly(early, raw)) {
        return Print(early);
    }

    // The application takes its own options (-platform, -style, ...) out of
    // the arguments; what is left is the editor's.
    QApplication qapp(argc, argv);
    // Ties the windows to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(QUILL_APP_ID));
    const CommandLineInfo info = ParseCommandLine(
        QApplication::arguments(), QStringLiteral(QUILL_VERSION), LocaleIsJapanese());
    if (info.action != CommandLineInfo::Action::Open) {
        return Print(info);
    }
    CQuillApp app;
    const QStringList args = info.recoverCopy.isEmpty()
                                 ? info.files
                                 : QStringList{CRecoveryOffer::kRecoverOption, info.recoverCopy};
    if (!app.InitInstance(args)) {
        return kExitStartFailed;
    }
    return QApplication::exec();
}
