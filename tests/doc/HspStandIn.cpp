#include "HspStandIn.h"

#include "support/QuillTest.h"

bool HspStandIn::Install(const QString& folder, const QString& library) {
#ifdef QUILL_FIXTURE_DIR
    const QString from = QStringLiteral(QUILL_FIXTURE_DIR);
    QDir().mkpath(folder);
    return QFile::copy(from + library, folder + "/hspcmp.dll") &&
           QFile::copy(from + "hsp2", folder + "/hsp2");
#else
    (void)folder;
    (void)library;
    return false;
#endif
}

bool HspStandIn::InstallCommands(const QString& folder) {
#ifdef QUILL_FIXTURE_DIR
    const QString from = QStringLiteral(QUILL_FIXTURE_DIR) + "../hspcli/";
    QDir().mkpath(folder);
    return QFile::copy(from + "hspcmp", folder + "/hspcmp") &&
           QFile::copy(from + "hsp3cl", folder + "/hsp3cl");
#else
    (void)folder;
    return false;
#endif
}

QStringList HspStandIn::WaitForProgram(const QString& folder, const QString& name, int timeoutMs) {
    const QString path = folder + "/" + name + ".log";
    if (!QTest::qWaitFor([&] { return QFile::exists(path); }, timeoutMs)) {
        return {};
    }
    QString text = QString::fromUtf8(testutil::ReadFile(path));
    text.chop(1);  // the last line end
    return text.split('\n');
}

QStringList HspStandIn::CompilerLog(const QString& folder) {
    const QString text = QString::fromUtf8(testutil::ReadFile(folder + "/hspcmp.log"));
    return text.split('\n', Qt::SkipEmptyParts);
}

QStringList HspStandIn::WaitForRuntime(const QString& folder, int timeoutMs) {
    return WaitForProgram(folder, "hsp2", timeoutMs);
}

bool HspStandIn::RuntimeStartedWithin(const QString& folder, int ms) {
    return !WaitForRuntime(folder, ms).isEmpty();
}

void HspStandIn::ClearRecords(const QString& folder) {
    QFile::remove(folder + "/hspcmp.log");
    QFile::remove(folder + "/hsp2.log");
}
