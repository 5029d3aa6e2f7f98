// Editing with the undo history on, in a shown view holding a generated
// Shift_JIS script:
//   - a typed character with its repaint at 1k, 10k and 100k lines: the
//     cost of a keystroke stays flat in the script's length (100k / 1k);
//   - Replace All of every tab of a 100,000-line script, its undo (with the
//     recolor of what it gives back) and its redo.
// Each figure that has a target is printed beside it.
// Run: build/bench/bench_undo
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTextBlock>
#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

#include "support/ScriptGenerator.h"
#include "support/ThreadClock.h"
#include "text/Cp932Codec.h"
#include "view/CQuillView.h"
#include "view/CSyntaxColorer.h"

namespace {

using benchsupport::ThreadSeconds;

constexpr double kFlatTarget = 1.2;
constexpr double kUndoReplaceAllTargetMs = 500;

CQuillView& View() {
    static CQuillView* view = [] {
        auto* v = new CQuillView;
        v->resize(1000, 700);
        v->show();
        QApplication::processEvents();
        return v;
    }();
    return *view;
}

// The script as the document gives it to the view, colored, with an empty
// history and the caret at the end of the line nearest the middle.
void Load(int lines) {
    QString text = cp932::Decode(benchsupport::GenerateScript(lines));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    CQuillView& view = View();
    view.setPlainText(text);
    view.RecolorAll();
    view.Colorer().FinishPending();
    QTextCursor c(view.document()->findBlockByNumber(lines / 2));
    c.movePosition(QTextCursor::EndOfBlock);
    view.setTextCursor(c);
    QApplication::processEvents();
}

// Median microseconds of a keystroke, by script length.
std::map<int, double> g_keystrokeUs;

void BM_TypingInShownView(benchmark::State& state) {
    const int lines = int(state.range(0));
    Load(lines);
    CQuillView& view = View();
    int typed = 0;
    std::vector<double> samples;
    for (auto _ : state) {
        const double t0 = ThreadSeconds();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(&view, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(&view, &release);
        QApplication::processEvents();
        state.SetIterationTime(ThreadSeconds() - t0);
        samples.push_back((ThreadSeconds() - t0) * 1e6);
        // The line stays short: the run typed so far is taken back.
        if (++typed % 100 == 0) {
            view.OnEditUndo();
            QApplication::processEvents();
        }
    }
    view.OnEditUndo();
    QApplication::processEvents();
    std::sort(samples.begin(), samples.end());
    g_keystrokeUs[lines] = samples[samples.size() / 2];
    std::printf("\nKeystroke with repaint at %d lines: %.1f us (median)", lines,
                g_keystrokeUs[lines]);
    if (g_keystrokeUs.count(1000) && lines > 1000) {
        const double ratio = g_keystrokeUs[lines] / g_keystrokeUs[1000];
        std::printf("; %.2fx the cost at 1,000 lines (target <= %.2fx)", ratio, kFlatTarget);
        state.counters["vs_1k_x"] = ratio;
    }
    std::printf("\n");
}

void BM_ReplaceAllUndoRedo(benchmark::State& state) {
    constexpr int kLines = 100000;
    Load(kLines);
    CQuillView& view = View();
    double replaceMs = 0;
    double undoMs = 0;
    double redoMs = 0;
    for (auto _ : state) {
        double t0 = ThreadSeconds();
        view.OnReplaceAll(QStringLiteral("\t"), QStringLiteral("  "), false, false);
        QApplication::processEvents();
        replaceMs = (ThreadSeconds() - t0) * 1e3;
        t0 = ThreadSeconds();
        view.OnEditUndo();
        QApplication::processEvents();
        undoMs = (ThreadSeconds() - t0) * 1e3;
        state.SetIterationTime(ThreadSeconds() - t0);
        t0 = ThreadSeconds();
        view.OnEditRedo();
        QApplication::processEvents();
        redoMs = (ThreadSeconds() - t0) * 1e3;
        view.OnEditUndo();
        QApplication::processEvents();
    }
    std::printf(
        "\nReplace All of every tab in %d lines: %.0f ms; undo %.0f ms (target < %.0f ms); "
        "redo %.0f ms\n",
        kLines, replaceMs, undoMs, kUndoReplaceAllTargetMs, redoMs);
    state.counters["undo_ms"] = undoMs;
    state.counters["undo_target_ms"] = kUndoReplaceAllTargetMs;
}

}  // namespace

BENCHMARK(BM_TypingInShownView)
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime()
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Iterations(600);
BENCHMARK(BM_ReplaceAllUndoRedo)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(2);
