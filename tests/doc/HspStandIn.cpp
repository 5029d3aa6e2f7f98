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

QStringList HspStandIn::CompilerLog(const QString& folder) {
    const QString text = QString::fromUtf8(testutil::ReadFile(folder + "/hspcmp.log"));
    return text.split('\n', Qt::SkipEmptyParts);
}

QStringList HspStandIn::WaitForRuntime(const QString& folder, int timeoutMs) {
    const QString path = folder + "/hsp2.log";
    if (!QTest::qWaitFor([&] { return QFile::exists(path); }, timeoutMs)) {
        return {};
    }
    QString text = QString::fromUtf8(testutil::ReadFile(path));
    text.chop(1);  // the last line end
    return text.split('\n');
}

bool HspStandIn::RuntimeStartedWithin(const QString& folder, int ms) {
    return !WaitForRuntime(folder, ms).isEmpty();
}

void HspStandIn::ClearRecords(const QString& folder) {
    QFile::remove(folder + "/hspcmp.log");
    QFile::remove(folder + "/hsp2.log");
}
