// Decoding and encoding a 100,000-line, 3.2 MB Shift_JIS script, as on
// every open and save, and the per-line encodings that coloring uses.

#include <benchmark/benchmark.h>

#include <QStringList>

#include "text/Cp932Codec.h"

namespace {

using namespace Qt::StringLiterals;

// Typical script lines: ASCII code with Japanese strings and comments,
// half-width katakana and the NEC/IBM extension characters.
const QString kLines[] = {
    u"*main_loop"_s,
    u"\tmes \"こんにちは、世界。今日は良い天気です\""_s,
    u"\tpos 10, 20 : color 255, 255, 255 ; 白で描く"_s,
    u"\trepeat 10 ; 十回繰り返す"_s,
    u"\t\tif cnt \\ 2 = 0 : continue"_s,
    u"; 表示を更新する（ﾃｽﾄ用）"_s,
    u"\tbuf = \"①②③ ⅰⅱⅲ 纊褜\""_s,
    u"\tawait 16 ; 約60fpsで待つ"_s,
    u"\tloop ; ループの終わり"_s,
    u"\tstick key : if key & 16 : goto *main_loop ; ｽﾍﾟｰｽ"_s,
};
constexpr int kLineCount = 100000;

const QString& ScriptText() {
    static const QString text = [] {
        QString t;
        for (int i = 0; i < kLineCount; ++i) {
            t += kLines[i % std::size(kLines)];
            t += u"\r\n"_s;
        }
        return t;
    }();
    return text;
}

const QByteArray& ScriptBytes() {
    static const QByteArray bytes = cp932::Encode(ScriptText()).bytes;
    return bytes;
}

void BM_Decode(benchmark::State& state) {
    const QByteArray& bytes = ScriptBytes();
    for (auto _ : state) {
        benchmark::DoNotOptimize(cp932::Decode(bytes));
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
    state.counters["file_bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_Decode)->Unit(benchmark::kMillisecond);

void BM_Encode(benchmark::State& state) {
    const QString& text = ScriptText();
    for (auto _ : state) {
        const cp932::EncodeResult result = cp932::Encode(text);
        if (!result.ok()) {
            state.SkipWithError("the script does not encode");
        }
        benchmark::DoNotOptimize(result.bytes);
    }
    state.SetBytesProcessed(state.iterations() * ScriptBytes().size());
}
BENCHMARK(BM_Encode)->Unit(benchmark::kMillisecond);

// Coloring encodes each line it scans.
void BM_EncodeLossyPerLine(benchmark::State& state) {
    const QStringList lines = ScriptText().split(u"\r\n"_s);
    for (auto _ : state) {
        for (const QString& line : lines) {
            benchmark::DoNotOptimize(cp932::EncodeLossy(line));
        }
    }
    state.SetBytesProcessed(state.iterations() * ScriptBytes().size());
}
BENCHMARK(BM_EncodeLossyPerLine)->Unit(benchmark::kMillisecond);

// Byte offsets of every character, as the edit-control layer converts them.
void BM_EncodedLengthPerCharacter(benchmark::State& state) {
    const QList<uint> codePoints = ScriptText().toUcs4();
    for (auto _ : state) {
        qsizetype bytes = 0;
        for (const uint cp : codePoints) {
            bytes += cp932::EncodedLength(cp);
        }
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(state.iterations() * codePoints.size());
}
BENCHMARK(BM_EncodedLengthPerCharacter)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
