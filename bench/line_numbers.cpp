// What the line numbers cost on a generated 100,000-line script, in the view
// shown at the size of a typical window, numbers on against numbers off,
// interleaved round by round so that the machine's load weighs on both:
//   - a wheel step (three lines) scrolled and repainted;
//   - a page scrolled and repainted;
//   - a typed character inserted, recolored and repainted.
// Each figure is this thread's CPU time per step, the median of the rounds;
// the ratio on / off is printed beside its target.
// Run: build/bench/bench_line_numbers
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "support/ScriptGenerator.h"
#include "support/ThreadClock.h"
#include "text/Cp932Codec.h"
#include "view/CLineNumberGutter.h"
#include "view/CQuillView.h"
#include "view/CSyntaxColorer.h"

namespace {

using benchsupport::ThreadSeconds;

constexpr int kLines = 100000;
constexpr int kRounds = 21;
constexpr int kStepsPerRound = 40;
constexpr double kTarget = 1.05;

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

CQuillView& View() {
    static CQuillView* view = [] {
        auto* v = new CQuillView;
        v->resize(1000, 700);
        v->show();
        QString text = cp932::Decode(benchsupport::GenerateScript(kLines));
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        v->setPlainText(text);
        v->RecolorAll();
        v->Colorer().FinishPending();
        QApplication::processEvents();
        return v;
    }();
    return *view;
}

// Scrolls down `lines` at a time from the middle of the script, each step
// painted; microseconds per step.
double ScrollRound(int lines) {
    CQuillView& view = View();
    QScrollBar* bar = view.verticalScrollBar();
    bar->setValue(kLines / 2);
    QApplication::processEvents();
    const double t0 = ThreadSeconds();
    for (int i = 0; i < kStepsPerRound; ++i) {
        bar->setValue(bar->value() + lines);
        QApplication::processEvents();
    }
    return (ThreadSeconds() - t0) * 1e6 / kStepsPerRound;
}

void SendKey(QWidget& w, Qt::Key key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(&w, &release);
}

// A character typed at the end of a line in the middle and painted; taking
// it out again is not counted. Microseconds per keystroke.
double KeystrokeRound() {
    CQuillView& view = View();
    QTextCursor c(view.document()->findBlockByNumber(kLines / 2));
    c.movePosition(QTextCursor::EndOfBlock);
    view.setTextCursor(c);
    view.ensureCursorVisible();
    QApplication::processEvents();
    double total = 0;
    for (int i = 0; i < kStepsPerRound; ++i) {
        const double t0 = ThreadSeconds();
        SendKey(view, Qt::Key_A, QStringLiteral("a"));
        QApplication::processEvents();
        total += ThreadSeconds() - t0;
        QTextCursor typed = view.textCursor();
        typed.deletePreviousChar();
        QApplication::processEvents();
    }
    return total * 1e6 / kStepsPerRound;
}

void Compare(benchmark::State& state, const char* what, double (*round)()) {
    std::vector<double> off;
    std::vector<double> on;
    std::vector<double> ratio;
    for (auto _ : state) {
        for (int r = 0; r < kRounds; ++r) {
            // The order turns from round to round.
            double figures[2];
            for (int k = 0; k < 2; ++k) {
                const bool shown = (r + k) % 2 == 1;
                View().LineNumbers().SetShown(shown);
                QApplication::processEvents();
                figures[shown] = round();
            }
            off.push_back(figures[0]);
            on.push_back(figures[1]);
            ratio.push_back(figures[1] / figures[0]);
        }
    }
    View().LineNumbers().SetShown(false);
    std::printf("  %-34s off %8.1f us  on %8.1f us  on/off %.3fx  (target <= %.2fx)\n", what,
                Median(off), Median(on), Median(ratio), kTarget);
    std::fflush(stdout);
    state.counters["on_off_x"] = Median(ratio);
    state.counters["target_x"] = kTarget;
}

void BM_ScrollWheelStep(benchmark::State& state) {
    Compare(state, "wheel step (3 lines) with paint", [] { return ScrollRound(3); });
}
void BM_ScrollPage(benchmark::State& state) {
    Compare(state, "page with paint",
            [] { return ScrollRound(View().verticalScrollBar()->pageStep()); });
}
void BM_Keystroke(benchmark::State& state) {
    Compare(state, "keystroke with paint", KeystrokeRound);
}

BENCHMARK(BM_ScrollWheelStep)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ScrollPage)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Keystroke)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
