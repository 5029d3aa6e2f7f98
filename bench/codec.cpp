// Decoding and encoding the generated 100,000-line Shift_JIS script, as on
// every open and save, and the per-line encodings that coloring uses.

#include <benchmark/benchmark.h>

#include <QStringList>

#include "support/ScriptGenerator.h"
#include "text/Cp932Codec.h"

namespace {

using namespace Qt::StringLiterals;

constexpr int kLineCount = 100000;

const QByteArray& ScriptBytes() {
    static const QByteArray bytes = benchsupport::GenerateScript(kLineCount);
    return bytes;
}

const QString& ScriptText() {
    static const QString text = cp932::Decode(ScriptBytes());
    return text;
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
