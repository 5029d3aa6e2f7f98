#include "view/CSyntaxColorer.h"

#include <QAbstractTextDocumentLayout>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>

#include "view/CEditControl.h"
#include "view/CKeywordTable.h"

namespace {

// True when every byte of `bytes` is ASCII.
bool AllAscii(const QByteArray& bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

CSyntaxColorer::CSyntaxColorer(CEditControl& ctrl, const CKeywordTable& table,
                               const Formats& formats, QObject* parent)
    : QObject(parent), m_ctrl(ctrl), m_table(table), m_formats(formats) {
    m_timer.setSingleShot(true);
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, [this]() { RunChunk(); });
}

void CSyntaxColorer::ColorLine(int line) {
    const QByteArray bytes = m_ctrl.GetLine(line, linescan::kMaxLineBytes);
    if (bytes.isEmpty()) {
        return;
    }
    m_ranges.clear();
    linescan::ScanLine(bytes, m_table, m_ranges);
    if (m_ranges.empty()) {
        return;
    }
    const int start = m_ctrl.LineIndex(line);
    // A line of one-byte characters only has a position per byte.
    const bool bytesArePositions = m_ctrl.LineLength(line) == bytes.size() && AllAscii(bytes);
    for (const linescan::ColorRange& r : m_ranges) {
        const int from =
            bytesArePositions ? start + r.start : m_ctrl.PositionFromByte(line, r.start);
        const int to = bytesArePositions ? start + r.end : m_ctrl.PositionFromByte(line, r.end);
        m_ctrl.SetCharFormat(from, to, m_formats[r.record]);
    }
}

void CSyntaxColorer::ColorLines(int first, int last, bool wholeLast) {
    const int count = m_ctrl.GetLineCount();
    first = std::max(first, 0);
    last = std::min(last, count - 1);
    if (first > last) {
        return;
    }
    QTextDocument* doc = m_ctrl.Widget()->document();
    // The layout would ask to repaint the whole window for a format change
    // that spans a line; the caller repaints what changed instead.
    const QSignalBlocker quietLayout(doc->documentLayout());
    m_ctrl.BeginBatch();
    const int resetEnd = wholeLast
                             ? m_ctrl.LineIndex(last) + m_ctrl.LineLength(last)
                             : m_ctrl.PositionFromByte(
                                   last, int(m_ctrl.GetLine(last, linescan::kMaxLineBytes).size()));
    m_ctrl.SetCharFormat(m_ctrl.LineIndex(first), resetEnd, m_formats[0]);
    for (int line = first; line <= last; ++line) {
        ColorLine(line);
    }
    m_ctrl.EndBatch();
}

void CSyntaxColorer::Finish(int first, int last, int selStart, int selEnd, int redraw) {
    m_ctrl.SetSel(selStart, selEnd);
    if (redraw == kRedrawNone) {
        return;
    }
    m_ctrl.SetRedraw(true);
    m_ctrl.ScrollCaret();
    if (m_ctrl.GetHScrollPos() != redraw) {
        m_ctrl.InvalidateAll();
    } else {
        const int count = m_ctrl.GetLineCount();
        first = std::clamp(first, 0, count - 1);
        last = std::clamp(last, first, count - 1);
        QTextDocument* doc = m_ctrl.Widget()->document();
        const int lastHeight =
            int(doc->documentLayout()->blockBoundingRect(doc->findBlockByNumber(last)).height());
        const int top = m_ctrl.PosFromChar(m_ctrl.LineIndex(first)).y();
        const int bottom = m_ctrl.PosFromChar(m_ctrl.LineIndex(last)).y() + lastHeight;
        m_ctrl.InvalidateBand(top, bottom);
    }
    m_ctrl.HideSelection(false);
}

void CSyntaxColorer::RecolorLines(int first, int last, int selStart, int selEnd, int redraw) {
    // Painting stays off only where the caller asks for it: nothing paints
    // before control returns to the event loop, and turning painting back
    // on would repaint the whole window.
    if (redraw == kRedrawNone) {
        m_ctrl.SetRedraw(false);
    }
    m_ctrl.HideSelection(true);
    ColorLines(first, last, false);
    Finish(first, last, selStart, selEnd, redraw);
}

void CSyntaxColorer::RecolorAll() {
    m_timer.stop();
    m_pendingActive = false;
    const int count = m_ctrl.GetLineCount();
    if (count <= kSyncLines) {
        RecolorLines(0, count - 1, 0, 0, kRedrawAll);
        return;
    }
    m_ctrl.HideSelection(true);
    ColorLines(0, kFirstLines - 1, true);
    StartPending(kFirstLines);
    Finish(0, count - 1, 0, 0, kRedrawAll);
}

void CSyntaxColorer::StartPending(int line) {
    m_pending = QTextCursor(m_ctrl.Widget()->document());
    m_pending.setPosition(m_ctrl.LineIndex(line));
    m_pendingActive = true;
    m_timer.start();
}

void CSyntaxColorer::RunChunk() {
    if (!m_pendingActive) {
        return;
    }
    QElapsedTimer clock;
    clock.start();
    QPlainTextEdit* edit = m_ctrl.Widget();
    const int first = m_pending.block().blockNumber();
    int line = first;
    const int count = m_ctrl.GetLineCount();
    constexpr int kStep = 128;
    do {
        const int last = std::min(line + kStep, count) - 1;
        // The text's last line is reset as one pass over all lines would
        // reset it: up to its 254th byte.
        ColorLines(line, last, last < count - 1);
        line = last + 1;
    } while (line < count && clock.elapsed() < kChunkMs);

    const QTextBlock top = edit->cursorForPosition(QPoint(0, 0)).block();
    const QTextBlock bottom =
        edit->cursorForPosition(edit->viewport()->rect().bottomLeft()).block();
    if (top.blockNumber() < line && bottom.blockNumber() >= first) {
        m_ctrl.InvalidateAll();
    }
    if (line >= count) {
        m_pendingActive = false;
        m_pending = QTextCursor();
        return;
    }
    m_pending.setPosition(m_ctrl.LineIndex(line));
    m_timer.start();
}

void CSyntaxColorer::FinishPending() {
    while (m_pendingActive) {
        m_timer.stop();
        RunChunk();
    }
    m_timer.stop();
}
