// The recovery copy of a modified 100,000-line script: taking the text (the
// only part on the interface thread), encoding it as a save would, and the
// whole write (take, encode, header, atomic write; encode and write run on
// the keeper's worker thread).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QInputMethodEvent>
#include <QTemporaryDir>

#include "doc/CQuillDoc.h"
#include "doc/CRecoveryKeeper.h"
#include "doc/RecoveryStore.h"
#include "support/WordList.h"
#include "view/CQuillView.h"

namespace {

constexpr int kLines = 100000;

// A script of `lines` lines mixing commands, labels, comments and Japanese.
QByteArray MakeScript(int lines) {
    const QByteArray samples[] = {
        "*label_main\r\n",
        "\tmes \"\x82\xb1\x82\xf1\x82\xc9\x82\xbf\x82\xcd\" : wait 10\r\n",
        "\tif a = 1 : goto *label_main ; \x83\x52\x83\x81\x83\x93\x83\x67\r\n",
        "\trepeat 5 : print cnt : loop\r\n",
    };
    QByteArray out;
    for (int i = 0; i < lines; ++i) {
        out += samples[i % std::size(samples)];
    }
    return out;
}

struct Fixture {
    Fixture() : store(dir.filePath("recovery")) {
        doc.SetView(&view);
        view.resize(1000, 700);
        const QString path = dir.filePath("big.as");
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(MakeScript(kLines));
        f.close();
        QString error;
        doc.OnOpenDocument(path, &error);
        keeper = std::make_unique<CRecoveryKeeper>(&doc, view.document(), &store);
    }
    void Type(const QString& text) {
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(&view, &commit);
    }
    QTemporaryDir dir;
    CQuillDoc doc;
    CQuillView view{nullptr, benchsupport::ShippedWordList()};
    RecoveryStore store;
    std::unique_ptr<CRecoveryKeeper> keeper;
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void BM_RecoveryTakeText100kLines(benchmark::State& state) {
    Fixture& f = Shared();
    f.Type("x");
    for (auto _ : state) {
        benchmark::DoNotOptimize(f.doc.SaveText());
    }
}
BENCHMARK(BM_RecoveryTakeText100kLines)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

void BM_RecoveryEncode100kLines(benchmark::State& state) {
    Fixture& f = Shared();
    f.Type("x");
    const QString text = f.doc.SaveText();
    for (auto _ : state) {
        const cp932::EncodeResult result =
            CQuillDoc::EncodeSaveText(text, textenc::Encoding::ShiftJis);
        if (!result.ok()) {
            state.SkipWithError("encode failed");
        }
        benchmark::DoNotOptimize(result.bytes);
    }
}
BENCHMARK(BM_RecoveryEncode100kLines)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

void BM_RecoveryWrite100kLines(benchmark::State& state) {
    Fixture& f = Shared();
    f.Type("x");
    for (auto _ : state) {
        if (!f.keeper->WriteNow()) {
            state.SkipWithError("write failed");
        }
    }
    state.SetBytesProcessed(state.iterations() * QFile(f.store.OwnCopyPath()).size());
}
BENCHMARK(BM_RecoveryWrite100kLines)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

// A text Shift_JIS cannot hold: the encoding stops at it and the copy is
// written in UTF-8 instead (worst case: the character is at the very end).
void BM_RecoveryWriteUtf8Fallback100kLines(benchmark::State& state) {
    Fixture& f = Shared();
    QTextCursor end(f.view.document());
    end.movePosition(QTextCursor::End);
    f.view.setTextCursor(end);
    f.Type(QStringLiteral("\u00A5"));
    for (auto _ : state) {
        if (!f.keeper->WriteNow()) {
            state.SkipWithError("write failed");
        }
    }
}
BENCHMARK(BM_RecoveryWriteUtf8Fallback100kLines)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

}  // namespace
