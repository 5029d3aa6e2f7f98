// Keyword coloring on a generated 100,000-line Shift_JIS script (3.2 MB),
// measured against the same load without coloring in the same run:
//   - open to first paint and open to fully colored (the chunks of the
//     event loop included), and one synchronous pass for comparison;
//   - one keystroke's recolor on a line in the middle, for 1k-100k lines,
//     when it changes no color and when it changes one;
//   - a keystroke with its repaint, in the view, in a plain widget and in a
//     plain widget holding the same colors;
//   - the process's peak memory with the script open.
// Run: build/bench/bench_coloring --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <time.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <map>
#include <memory>

#include "edit/CEditControl.h"
#include "script/CKeywordTable.h"
#include "support/ScriptGenerator.h"
#include "text/Cp932Codec.h"
#include "view/CQuillView.h"
#include "view/CSyntaxColorer.h"
#include "view/KeywordColors.h"

namespace {

constexpr int kBigScript = 100000;

double PeakRssMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// The script as the document gives it to the view: decoded, one "\n" per line.
const QString& ScriptText(int lines) {
    static std::map<int, QString> texts;
    auto it = texts.find(lines);
    if (it == texts.end()) {
        QString text = cp932::Decode(benchsupport::GenerateScript(lines));
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        it = texts.emplace(lines, text).first;
    }
    return it->second;
}

// The editor's view at the size of a typical window, shown (offscreen).
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

// A plain text widget set up like the view but never colored.
QPlainTextEdit& PlainWidget() {
    static QPlainTextEdit* edit = [] {
        auto* e = new QPlainTextEdit;
        e->setLineWrapMode(QPlainTextEdit::NoWrap);
        e->document()->setUndoRedoEnabled(false);
        QPalette pal = e->palette();
        pal.setColor(QPalette::Base, Qt::black);
        pal.setColor(QPalette::Text, Qt::white);
        e->setPalette(pal);
        e->setFont(keywordcolors::FixedFace());
        e->resize(1000, 700);
        e->show();
        QApplication::processEvents();
        return e;
    }();
    return *edit;
}

void Paint(QPlainTextEdit& edit) {
    edit.viewport()->repaint();
}

// Decoding is part of every open; the bytes are read once.
void Load(QPlainTextEdit& edit, const QByteArray& bytes) {
    QString text = cp932::Decode(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    edit.setPlainText(text);
}

const QByteArray& BigScriptBytes() {
    static const QByteArray bytes = benchsupport::GenerateScript(kBigScript);
    return bytes;
}

// Open without coloring: decode, load, first paint.
void BM_OpenPlain(benchmark::State& state) {
    CQuillView& view = View();
    for (auto _ : state) {
        Load(view, BigScriptBytes());
        view.document()->setModified(false);
        Paint(view);
    }
    state.counters["peak_rss_MB"] = PeakRssMb();
}

// Open with coloring, until the first paint (the visible lines colored).
void BM_OpenFirstPaint(benchmark::State& state) {
    CQuillView& view = View();
    for (auto _ : state) {
        Load(view, BigScriptBytes());
        view.document()->setModified(false);
        view.RecolorAll();
        Paint(view);
        state.PauseTiming();
        view.Colorer().FinishPending();
        state.ResumeTiming();
    }
}

// Open with coloring until every line is colored: the event loop runs the
// chunks (and paints) as it would in the editor.
void BM_OpenFullyColored(benchmark::State& state) {
    CQuillView& view = View();
    double longestChunkMs = 0;
    int chunks = 0;
    for (auto _ : state) {
        Load(view, BigScriptBytes());
        view.document()->setModified(false);
        view.RecolorAll();
        Paint(view);
        QElapsedTimer clock;
        while (view.Colorer().IsPending()) {
            clock.start();
            QApplication::processEvents();
            longestChunkMs = std::max(longestChunkMs, clock.nsecsElapsed() / 1e6);
            ++chunks;
        }
    }
    state.counters["longest_event_ms"] = longestChunkMs;
    state.counters["chunks_per_open"] = double(chunks) / double(state.iterations());
    state.counters["peak_rss_MB"] = PeakRssMb();
}

// One pass over every line, as a small script is colored.
void BM_OpenSyncPass(benchmark::State& state) {
    CQuillView& view = View();
    for (auto _ : state) {
        Load(view, BigScriptBytes());
        view.document()->setModified(false);
        view.RecolorLines(0, view.blockCount() - 1, 0, 0, -1);
        Paint(view);
    }
}

// Puts the view's text to `lines` lines (colored) and the caret at the end
// of the line in the middle.
void Prepare(QPlainTextEdit& edit, int lines, bool color) {
    if (edit.blockCount() != lines + 1) {
        edit.setPlainText(ScriptText(lines));
        if (auto* view = qobject_cast<CQuillView*>(&edit); view && color) {
            view->RecolorAll();
            view->Colorer().FinishPending();
        }
    }
    QTextCursor c(edit.document()->findBlockByNumber(lines / 2 + 1));  // "\tmes ..."
    c.movePosition(QTextCursor::EndOfBlock);
    edit.setTextCursor(c);
    QApplication::processEvents();
}

// Time spent by this thread, in seconds: the machine is shared, so the
// keystroke figures count the editor's own work, not the waits.
double ThreadSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

// The recolor that follows a typed character on the line in the middle,
// when the character changes no color (most keystrokes).
void BM_KeystrokeRecolor(benchmark::State& state) {
    CQuillView& view = View();
    Prepare(view, int(state.range(0)), true);
    CEditControl& ctrl = view.Ctrl();
    for (auto _ : state) {
        const double t0 = ThreadSeconds();
        const auto [s, e] = ctrl.GetSel();
        const int line = ctrl.LineFromChar(e);
        view.RecolorLines(line, line, s, e, ctrl.GetHScrollPos());
        state.SetIterationTime(ThreadSeconds() - t0);
    }
    QApplication::processEvents();
}

// The same when every keystroke changes a color: an "x" after the line's
// first word (a keyword) comes and goes, so that each recolor resets the
// keyword or colors it again.
void BM_KeystrokeRecolorChanging(benchmark::State& state) {
    CQuillView& view = View();
    Prepare(view, int(state.range(0)), true);
    CEditControl& ctrl = view.Ctrl();
    const int line = ctrl.LineFromChar(-1);
    const QString text = view.document()->findBlockByNumber(line).text();
    qsizetype wordEnd = 0;
    while (wordEnd < text.size() && !text.at(wordEnd).isLetter()) {
        ++wordEnd;
    }
    while (wordEnd < text.size() && text.at(wordEnd).isLetter()) {
        ++wordEnd;
    }
    QTextCursor edit(view.document());
    bool inserted = false;
    auto toggle = [&] {
        edit.setPosition(ctrl.LineIndex(line) + int(wordEnd));
        if (inserted) {
            edit.deleteChar();
        } else {
            edit.insertText(QStringLiteral("x"));
        }
        inserted = !inserted;
    };
    for (auto _ : state) {
        toggle();
        const double t0 = ThreadSeconds();
        const auto [s, e] = ctrl.GetSel();
        view.RecolorLines(line, line, s, e, ctrl.GetHScrollPos());
        state.SetIterationTime(ThreadSeconds() - t0);
    }
    if (inserted) {
        toggle();
        view.RecolorLines(line, line, 0, 0, -1);
    }
    QApplication::processEvents();
}

void SendKey(QWidget& w, Qt::Key key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(&w, &release);
}

// A typed character end to end: inserted, recolored, repainted. Taking it
// out again is not timed.
void KeystrokeWithRepaint(benchmark::State& state, QPlainTextEdit& edit) {
    Prepare(edit, kBigScript, true);
    for (auto _ : state) {
        const double t0 = ThreadSeconds();
        SendKey(edit, Qt::Key_A, QStringLiteral("a"));
        QApplication::processEvents();
        state.SetIterationTime(ThreadSeconds() - t0);
        // Out again, the same way in every widget.
        QTextCursor c = edit.textCursor();
        c.deletePreviousChar();
        QApplication::processEvents();
    }
}

void BM_KeystrokeWithRepaintView(benchmark::State& state) {
    KeystrokeWithRepaint(state, View());
}
void BM_KeystrokeWithRepaintPlain(benchmark::State& state) {
    KeystrokeWithRepaint(state, PlainWidget());
}

// The plain widget holding the view's colors but none of its hooks: what a
// keystroke costs in colored text by itself.
QPlainTextEdit& ColoredPlainWidget() {
    static QPlainTextEdit* edit = [] {
        QPlainTextEdit& plain = PlainWidget();
        auto* colored = new QPlainTextEdit;
        colored->setLineWrapMode(QPlainTextEdit::NoWrap);
        colored->document()->setUndoRedoEnabled(false);
        colored->setPalette(plain.palette());
        colored->setFont(plain.font());
        colored->resize(1000, 700);
        colored->show();
        colored->setPlainText(ScriptText(kBigScript));
        static CEditControl ctrl(colored);
        static CSyntaxColorer colorer(ctrl, View().KeywordTable(), View().ColorFormats());
        colorer.RecolorAll();
        colorer.FinishPending();
        return colored;
    }();
    return *edit;
}
void BM_KeystrokeWithRepaintPlainColored(benchmark::State& state) {
    KeystrokeWithRepaint(state, ColoredPlainWidget());
}

void Stats(benchmark::internal::Benchmark* b) {
    b->ComputeStatistics("min", [](const std::vector<double>& v) {
         return *std::min_element(v.begin(), v.end());
     })->ComputeStatistics("max", [](const std::vector<double>& v) {
        return *std::max_element(v.begin(), v.end());
    });
}

BENCHMARK(BM_OpenPlain)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(9)
    ->Apply(Stats);
BENCHMARK(BM_OpenFirstPaint)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(9)
    ->Apply(Stats);
BENCHMARK(BM_OpenFullyColored)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(9)
    ->Apply(Stats);
BENCHMARK(BM_OpenSyncPass)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->Apply(Stats);
BENCHMARK(BM_KeystrokeRecolor)
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime()
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Repetitions(5)
    ->Apply(Stats);
BENCHMARK(BM_KeystrokeRecolorChanging)
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime()
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Repetitions(5)
    ->Apply(Stats);
BENCHMARK(BM_KeystrokeWithRepaintPlain)
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime()
    ->Repetitions(5)
    ->Apply(Stats);
BENCHMARK(BM_KeystrokeWithRepaintPlainColored)
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime()
    ->Repetitions(5)
    ->Apply(Stats);
BENCHMARK(BM_KeystrokeWithRepaintView)
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime()
    ->Repetitions(5)
    ->Apply(Stats);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::AddCustomContext("peak_rss_at_start_MB", QString::number(PeakRssMb()).toStdString());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
