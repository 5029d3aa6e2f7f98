// Opening and saving a 100,000-line Shift_JIS script through the document:
// read + decode + load into the shown view, to its first paint and to the
// whole text colored, and encode + atomic write.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextDocument>

#include "doc/CQuillDoc.h"
#include "support/ScriptGenerator.h"
#include "support/WordList.h"
#include "view/CQuillView.h"
#include "view/CSyntaxColorer.h"

namespace {

struct Fixture {
    Fixture() {
        doc.SetView(&view);
        view.resize(1000, 700);
        view.show();
        QApplication::processEvents();
        path = dir.filePath("big.as");
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(benchsupport::GenerateScript(100000));
    }
    QTemporaryDir dir;
    CQuillDoc doc;
    CQuillView view{nullptr, benchsupport::ShippedWordList()};
    QString path;
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

// Opens the script; with `untilColored`, also runs the event loop until
// the background coloring has reached the last line.
void Open(benchmark::State& state, bool untilColored) {
    Fixture& f = Shared();
    for (auto _ : state) {
        QString error;
        if (!f.doc.OnOpenDocument(f.path, &error)) {
            state.SkipWithError("open failed");
        }
        f.view.viewport()->repaint();
        while (untilColored && f.view.Colorer().IsPending()) {
            QApplication::processEvents();
        }
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(f.path).size());
}

void BM_Open100kLinesFirstPaint(benchmark::State& state) {
    Open(state, false);
}
BENCHMARK(BM_Open100kLinesFirstPaint)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

void BM_Open100kLinesFullyColored(benchmark::State& state) {
    Open(state, true);
}
BENCHMARK(BM_Open100kLinesFullyColored)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

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
