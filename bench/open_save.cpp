// Opening and saving a 100,000-line Shift_JIS script through the document:
// decode + load into the view (with coloring), and encode + atomic write.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextDocument>

#include "doc/CQuillDoc.h"
#include "support/ScriptGenerator.h"
#include "view/CQuillView.h"

namespace {

struct Fixture {
    Fixture() {
        doc.SetView(&view);
        view.resize(1000, 700);
        path = dir.filePath("big.as");
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(benchsupport::GenerateScript(100000));
    }
    QTemporaryDir dir;
    CQuillDoc doc;
    CQuillView view;
    QString path;
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void BM_Open100kLines(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state) {
        QString error;
        if (!f.doc.OnOpenDocument(f.path, &error)) {
            state.SkipWithError("open failed");
        }
        QCoreApplication::processEvents();
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(f.path).size());
}
BENCHMARK(BM_Open100kLines)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

void BM_Save100kLines(benchmark::State& state) {
    Fixture& f = Shared();
    QString error;
    f.doc.OnOpenDocument(f.path, &error);
    const QString out = f.dir.filePath("out.as");
    for (auto _ : state) {
        if (!f.doc.OnSaveDocument(out, &error)) {
            state.SkipWithError("save failed");
        }
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(f.path).size());
}
BENCHMARK(BM_Save100kLines)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
