// Keyword coloring of a generated 100,000-line Shift_JIS script, measured
// against a bare text widget loading the same file in the same run:
//   - opening, interleaved round by round with the bare widget and with the
//     bare widget colored by a QSyntaxHighlighter holding the same colors:
//     CPU (all threads) to the first paint of the shown window and to the
//     whole text colored, as ratios to the bare widget, the longest
//     event-loop pass while the coloring runs, and the memory the open
//     script takes at its peak as a ratio to the file size;
//   - one keystroke's recolor on a line in the middle, for 1k-100k lines,
//     when it changes no color and when it changes one;
//   - a keystroke with its repaint, in the view, in a bare widget and in a
//     bare widget holding the same colors.
// Each figure that has a target is printed beside it.
// Run: build/bench/bench_coloring --benchmark_report_aggregates_only=true
//      (--benchmark_filter=Open for the opening figures only)
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <time.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QSyntaxHighlighter>
#include <QTextBlock>
#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <vector>

#include "edit/CEditControl.h"
#include "script/CKeywordTable.h"
#include "script/LineScanner.h"
#include "support/ScriptGenerator.h"
#include "support/ThreadClock.h"
#include "support/WordList.h"
#include "text/Cp932Codec.h"
#include "view/CLineBoxLayout.h"
#include "view/CQuillView.h"
#include "view/CSyntaxColorer.h"
#include "view/KeywordColors.h"

namespace {

using benchsupport::ThreadSeconds;

constexpr int kBigScript = 100000;
constexpr int kOpenRounds = 7;

// Targets, as ratios to the bare widget unless said otherwise.
constexpr double kFirstPaintTarget = 1.1;
constexpr double kFullyColoredTarget = 1.5;
constexpr double kLongestPassTargetMs = 30;
constexpr double kMemoryTarget = 40;  // times the file size
constexpr double kKeystrokeTargetUs = 50;

// CPU time of the whole process (every thread), in milliseconds.
double ProcessCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

// Time spent by this thread, in seconds: the machine may be shared, so the
// keystroke figures count the editor's own work, not the waits.
// Bytes the heap holds now: what the open script takes is its growth.
double HeapBytes() {
    return double(mallinfo2().uordblks);
}

const QByteArray& BigScriptBytes() {
    static const QByteArray bytes = benchsupport::GenerateScript(kBigScript);
    return bytes;
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

// Decoding is part of every open; the bytes are read once.
void Load(QPlainTextEdit& edit, const QByteArray& bytes) {
    QString text = cp932::Decode(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    edit.setPlainText(text);
}

// The view's word list and color records, read once from QUILL.DAT.
CQuillView& View() {
    static CQuillView* view = [] {
        auto* v = new CQuillView(nullptr, benchsupport::ShippedWordList());
        v->resize(1000, 700);
        v->show();
        QApplication::processEvents();
        return v;
    }();
    return *view;
}

// A bare text widget set up like the view: no wrap, no undo, the view's
// face and palette.
std::unique_ptr<QPlainTextEdit> NewBareWidget() {
    auto edit = std::make_unique<QPlainTextEdit>();
    edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    edit->document()->setUndoRedoEnabled(false);
    QPalette pal = edit->palette();
    pal.setColor(QPalette::Base, Qt::black);
    pal.setColor(QPalette::Text, Qt::white);
    edit->setPalette(pal);
    edit->setFont(keywordcolors::FixedFace());
    return edit;
}

// The same colors as the view's, the way a QSyntaxHighlighter keeps them:
// the line scan on each block, its byte ranges turned into positions.
class ScanHighlighter : public QSyntaxHighlighter {
public:
    ScanHighlighter(QPlainTextEdit& edit, const CKeywordTable& table,
                    const CSyntaxColorer::Formats& formats)
        : QSyntaxHighlighter(edit.document()), m_ctrl(&edit), m_table(table), m_formats(formats) {}

protected:
    void highlightBlock(const QString&) override {
        const QTextBlock block = currentBlock();
        const CEditControl::LineRead line = m_ctrl.ReadLine(block, linescan::kMaxLineBytes);
        m_ranges.clear();
        linescan::ScanLine(line.bytes, m_table, m_ranges);
        m_offsets.clear();
        for (const linescan::ColorRange& r : m_ranges) {
            m_offsets.push_back(r.start);
            m_offsets.push_back(r.end);
        }
        m_ctrl.PositionsFromBytes(line, m_offsets);
        const int base = block.position();
        for (size_t i = 0; i < m_ranges.size(); ++i) {
            setFormat(m_offsets[2 * i] - base, m_offsets[2 * i + 1] - m_offsets[2 * i],
                      m_formats[m_ranges[i].record]);
        }
    }

private:
    CEditControl m_ctrl;
    const CKeywordTable& m_table;
    const CSyntaxColorer::Formats& m_formats;
    std::vector<linescan::ColorRange> m_ranges;
    std::vector<int> m_offsets;
};

enum class Variant { Bare, Highlighter, Quill };
constexpr Variant kVariants[] = {Variant::Bare, Variant::Highlighter, Variant::Quill};
constexpr const char* kVariantNames[] = {"bare widget", "bare + QSyntaxHighlighter", "QUILL view"};

struct OpenSample {
    double firstPaintMs = 0;
    double fullyColoredMs = 0;
    double longestPassMs = 0;  // CPU of the main thread's longest event-loop pass
    double peakHeapBytes = 0;  // heap growth at its peak
};

// Opens the big script in a new window of `variant`, shown at the size of
// a typical window: CPU to its first paint and to the whole text colored.
// Making and destroying the window is not counted.
OpenSample OpenOnce(Variant variant) {
    std::unique_ptr<QPlainTextEdit> edit;
    std::unique_ptr<ScanHighlighter> highlighter;
    CQuillView* view = nullptr;
    if (variant == Variant::Quill) {
        auto v = std::make_unique<CQuillView>(nullptr, benchsupport::ShippedWordList());
        view = v.get();
        edit = std::move(v);
    } else {
        edit = NewBareWidget();
    }
    if (variant == Variant::Highlighter) {
        highlighter =
            std::make_unique<ScanHighlighter>(*edit, View().KeywordTable(), View().ColorFormats());
    }
    edit->resize(1000, 700);
    edit->show();
    QApplication::processEvents();  // the highlighter's first pass: empty text

    OpenSample sample;
    const double heap0 = HeapBytes();
    auto sampleHeap = [&] {
        sample.peakHeapBytes = std::max(sample.peakHeapBytes, HeapBytes() - heap0);
    };
    const double t0 = ProcessCpuMs();
    Load(*edit, BigScriptBytes());
    if (view) {
        view->RecolorAll();
    }
    edit->viewport()->repaint();
    sample.firstPaintMs = ProcessCpuMs() - t0;
    sampleHeap();
    // Until idle: the event loop runs the waiting chunks, then once more.
    do {
        const double pass0 = ThreadSeconds();
        QApplication::processEvents();
        sample.longestPassMs = std::max(sample.longestPassMs, (ThreadSeconds() - pass0) * 1e3);
        sampleHeap();
    } while (view && view->Colorer().IsPending());
    sample.fullyColoredMs = ProcessCpuMs() - t0;
    return sample;
}

struct Spread {
    double median;
    double min;
    double max;
};

Spread SpreadOf(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return {v[v.size() / 2], v.front(), v.back()};
}

void PrintRow(const char* what, const Spread& s, const char* unit, const char* target) {
    std::printf("  %-42s %8.2f%-3s (%.2f..%.2f)  %s\n", what, s.median, unit, s.min, s.max, target);
}

// Rounds of opening the script in each variant, the order turning from
// round to round, so that the machine's load weighs on all alike.
void BM_OpenInterleaved(benchmark::State& state) {
    View();
    OpenOnce(Variant::Quill);  // warm up fonts and caches
    std::vector<OpenSample> samples[3];
    for (auto _ : state) {
        for (int round = 0; round < kOpenRounds; ++round) {
            for (int k = 0; k < 3; ++k) {
                const int v = (round + k) % 3;
                samples[v].push_back(OpenOnce(kVariants[v]));
            }
        }
    }
    const double fileBytes = double(BigScriptBytes().size());
    const qsizetype japaneseLines =
        std::count_if(benchsupport::kScriptLines.begin(), benchsupport::kScriptLines.end(),
                      [](const char16_t* line) {
                          return std::any_of(line, line + std::char_traits<char16_t>::length(line),
                                             [](char16_t c) { return c >= 0x80; });
                      });
    std::printf(
        "\nScript: %d lines, %.2f MB Shift_JIS, Japanese on %lld of every %zu lines; "
        "%d interleaved rounds (median, min..max)\n",
        kBigScript, fileBytes / 1e6, static_cast<long long>(japaneseLines),
        benchsupport::kScriptLines.size(), kOpenRounds);
    auto figure = [&](int v, auto member) {
        std::vector<double> out;
        for (const OpenSample& s : samples[v]) {
            out.push_back(s.*member);
        }
        return SpreadOf(out);
    };
    auto ratio = [&](int v, auto member) {
        std::vector<double> out;
        for (size_t i = 0; i < samples[v].size(); ++i) {
            out.push_back(samples[v][i].*member / samples[0][i].*member);
        }
        return SpreadOf(out);
    };
    char paintTarget[32];
    char fullTarget[32];
    char memoryTarget[32];
    char passTarget[32];
    std::snprintf(paintTarget, sizeof paintTarget, "target <= %.2fx", kFirstPaintTarget);
    std::snprintf(fullTarget, sizeof fullTarget, "target <= %.2fx", kFullyColoredTarget);
    std::snprintf(memoryTarget, sizeof memoryTarget, "target <= %.0fx", kMemoryTarget);
    std::snprintf(passTarget, sizeof passTarget, "target <= %.0f ms", kLongestPassTargetMs);
    for (int v = 0; v < 3; ++v) {
        const bool quill = kVariants[v] == Variant::Quill;
        std::printf(" %s\n", kVariantNames[v]);
        PrintRow("CPU to first paint", figure(v, &OpenSample::firstPaintMs), "ms", "");
        PrintRow("CPU to fully colored", figure(v, &OpenSample::fullyColoredMs), "ms", "");
        if (kVariants[v] != Variant::Bare) {
            PrintRow("first paint / bare", ratio(v, &OpenSample::firstPaintMs), "x",
                     quill ? paintTarget : "");
            PrintRow("fully colored / bare", ratio(v, &OpenSample::fullyColoredMs), "x",
                     quill ? fullTarget : "");
        }
        std::vector<double> memory;
        for (const OpenSample& s : samples[v]) {
            memory.push_back(s.peakHeapBytes / fileBytes);
        }
        PrintRow("peak memory of the open script / file size", SpreadOf(memory), "x",
                 quill ? memoryTarget : "");
        PrintRow("longest event-loop pass", figure(v, &OpenSample::longestPassMs), "ms",
                 quill ? passTarget : "");
    }
    std::fflush(stdout);
    state.counters["fully_colored_x"] = ratio(2, &OpenSample::fullyColoredMs).median;
    state.counters["fully_colored_target_x"] = kFullyColoredTarget;
    state.counters["first_paint_x"] = ratio(2, &OpenSample::firstPaintMs).median;
    state.counters["first_paint_target_x"] = kFirstPaintTarget;
}

// Puts the view's text to `lines` lines (colored) and the caret at the end
// of the "\tmes ..." line nearest the middle.
void Prepare(QPlainTextEdit& edit, int lines, bool color) {
    if (edit.blockCount() != lines + 1) {
        edit.setPlainText(ScriptText(lines));
        if (auto* view = qobject_cast<CQuillView*>(&edit); view && color) {
            view->RecolorAll();
            view->Colorer().FinishPending();
        }
    }
    const int cycle = int(benchsupport::kScriptLines.size());
    QTextCursor c(edit.document()->findBlockByNumber(lines / 2 / cycle * cycle + 1));
    c.movePosition(QTextCursor::EndOfBlock);
    edit.setTextCursor(c);
    QApplication::processEvents();
}

void KeystrokeTarget(benchmark::State& state) {
    state.counters["target_us"] = kKeystrokeTargetUs;
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
        view.RecolorLines(line, line, s, e, Redraw::Band(ctrl.GetHScrollPos()));
        state.SetIterationTime(ThreadSeconds() - t0);
    }
    KeystrokeTarget(state);
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
        view.RecolorLines(line, line, s, e, Redraw::Band(ctrl.GetHScrollPos()));
        state.SetIterationTime(ThreadSeconds() - t0);
    }
    KeystrokeTarget(state);
    if (inserted) {
        toggle();
        view.RecolorLines(line, line, 0, 0, Redraw::All());
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
QPlainTextEdit& BareWidget() {
    static QPlainTextEdit* edit = [] {
        auto* e = NewBareWidget().release();
        e->resize(1000, 700);
        e->show();
        QApplication::processEvents();
        return e;
    }();
    return *edit;
}
void BM_KeystrokeWithRepaintPlain(benchmark::State& state) {
    KeystrokeWithRepaint(state, BareWidget());
}

// The plain widget holding the view's colors but none of its hooks: what a
// keystroke costs in colored text by itself. Its document has the view's
// line layout, which the colorer works with.
QPlainTextEdit& ColoredPlainWidget() {
    static QPlainTextEdit* edit = [] {
        auto* colored = NewBareWidget().release();
        auto* doc = new QTextDocument(colored);
        doc->setDocumentLayout(new CLineBoxLayout(doc));
        doc->setUndoRedoEnabled(false);
        doc->setDefaultFont(colored->font());
        colored->setDocument(doc);
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

BENCHMARK(BM_OpenInterleaved)->Unit(benchmark::kMillisecond)->Iterations(1);
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
