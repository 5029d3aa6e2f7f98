#include "view/CSyntaxColorer.h"

#include <QAbstractTextDocumentLayout>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>

#include "edit/CEditControl.h"
#include "script/CKeywordTable.h"

namespace {

// True when every byte of `bytes` is ASCII.
bool AllAscii(const QByteArray& bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

CSyntaxColorer::CSyntaxColorer(CEditControl& ctrl, const CKeywordTable& table,
                               const Formats& formats, QObject* parent)
    : QObject(parent), m_ctrl(ctrl), m_table(table) {
    for (int i = 0; i < keywordcolors::kRecordCount; ++i) {
        m_full[i] = formats[0];
        m_full[i].merge(formats[i]);
    }
    m_timer.setSingleShot(true);
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, [this]() { RunChunk(); });
}

// The text holds no other character formats than the records (the editor
// only ever inserts plain text), so setting record 0 merged with a record
// gives what merging the record would, at a fraction of the cost.
void CSyntaxColorer::SetFormat(QTextCursor& cursor, int start, int end, int record) {
    if (start >= end) {
        return;
    }
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.setCharFormat(m_full[record]);
    m_changed = true;
}

void CSyntaxColorer::ScanRuns(const QTextBlock& block, int line) {
    m_runs.clear();
    const QByteArray bytes = m_ctrl.GetLine(line, linescan::kMaxLineBytes);
    if (bytes.isEmpty()) {
        return;
    }
    m_ranges.clear();
    linescan::ScanLine(bytes, m_table, m_ranges);
    if (m_ranges.empty()) {
        return;
    }
    const int start = block.position();
    // A line of one-byte characters only has a position per byte.
    const bool bytesArePositions = block.length() - 1 == bytes.size() && AllAscii(bytes);
    for (const linescan::ColorRange& r : m_ranges) {
        const int from =
            bytesArePositions ? start + r.start : m_ctrl.PositionFromByte(line, r.start);
        const int to = bytesArePositions ? start + r.end : m_ctrl.PositionFromByte(line, r.end);
        if (from < to) {
            m_runs.push_back({from, to, r.record});
        }
    }
}

void CSyntaxColorer::ColorLineAfterReset(QTextCursor& cursor, const QTextBlock& block, int line) {
    ScanRuns(block, line);
    for (const Run& run : m_runs) {
        SetFormat(cursor, run.start, run.end, run.record);
    }
}

void CSyntaxColorer::ColorLineChanges(QTextCursor& cursor, const QTextBlock& block, int end,
                                      bool separator) {
    ScanRuns(block, block.blockNumber());

    // What the line should be: record 0 between the colored runs, up to end.
    m_wanted.clear();
    int pos = block.position();
    for (const Run& run : m_runs) {
        if (run.start > pos) {
            m_wanted.push_back({pos, run.start, 0});
        }
        m_wanted.push_back(run);
        pos = run.end;
    }
    if (pos < end) {
        m_wanted.push_back({pos, end, 0});
    }

    // Set the format only where the text has another one. Most keystrokes
    // change nothing, and the layout of the line then stays as it is.
    m_changes.clear();
    auto fragment = block.begin();
    for (const Run& want : m_wanted) {
        while (!fragment.atEnd() &&
               fragment.fragment().position() + fragment.fragment().length() <= want.start) {
            ++fragment;
        }
        for (auto f = fragment; !f.atEnd(); ++f) {
            const QTextFragment piece = f.fragment();
            const int from = std::max(piece.position(), want.start);
            const int to = std::min(piece.position() + piece.length(), want.end);
            if (from >= to) {
                break;
            }
            if (piece.charFormat() != m_full[want.record]) {
                if (!m_changes.empty() && m_changes.back().end == from &&
                    m_changes.back().record == want.record) {
                    m_changes.back().end = to;
                } else {
                    m_changes.push_back({from, to, want.record});
                }
            }
        }
    }
    for (const Run& change : m_changes) {
        SetFormat(cursor, change.start, change.end, change.record);
    }
    // The line end takes record 0 too (a character typed on the empty line
    // below takes its format).
    const QTextBlock next = block.next();
    if (separator && next.isValid() && next.charFormat() != m_full[0]) {
        SetFormat(cursor, next.position() - 1, next.position(), 0);
    }
}

bool CSyntaxColorer::ColorLines(int first, int last, bool wholeLast) {
    m_changed = false;
    const int count = m_ctrl.GetLineCount();
    first = std::max(first, 0);
    last = std::min(last, count - 1);
    if (first > last) {
        return false;
    }
    QTextDocument* doc = m_ctrl.Document();
    // The layout would ask to repaint the whole window for a format change
    // that spans a line; the caller repaints what changed instead.
    const QSignalBlocker quietLayout(doc->documentLayout());
    m_ctrl.BeginBatch();
    const int resetEnd = wholeLast
                             ? m_ctrl.LineIndex(last) + m_ctrl.LineLength(last)
                             : m_ctrl.PositionFromByte(
                                   last, int(m_ctrl.GetLine(last, linescan::kMaxLineBytes).size()));
    // The line ends between the lines take record 0 as well, and so does the
    // last one's when the last line is taken whole.
    const bool lastSeparator = wholeLast && last < count - 1;
    QTextCursor cursor(doc);
    if (last - first < kChangeOnlyLines) {
        QTextBlock block = doc->findBlockByNumber(first);
        for (int line = first; line <= last; ++line, block = block.next()) {
            const int end = line == last ? resetEnd : block.position() + block.length() - 1;
            ColorLineChanges(cursor, block, end, line < last || lastSeparator);
        }
    } else {
        SetFormat(cursor, m_ctrl.LineIndex(first), resetEnd + (lastSeparator ? 1 : 0), 0);
        QTextBlock block = doc->findBlockByNumber(first);
        for (int line = first; line <= last; ++line, block = block.next()) {
            ColorLineAfterReset(cursor, block, line);
        }
    }
    m_ctrl.EndBatch();
    return m_changed;
}

void CSyntaxColorer::Finish(int first, int last, int selStart, int selEnd, int redraw,
                            bool changed) {
    // Setting the selection the view already has would only cost a layout
    // of the line and two cursor repaints.
    const bool select = !m_ctrl.IsSel(selStart, selEnd);
    if (select) {
        m_ctrl.SetSel(selStart, selEnd);
    }
    if (redraw == kRedrawNone) {
        return;
    }
    const bool wasOff = !m_ctrl.IsRedrawOn();
    m_ctrl.SetRedraw(true);
    if (!changed && !select && !wasOff && redraw >= 0 && m_ctrl.GetHScrollPos() == redraw) {
        // No color and no selection changed: the window shows the lines as
        // they are, since the control repainted and scrolled for its own
        // change. Most keystrokes end here.
        return;
    }
    m_ctrl.ScrollCaret();
    if (m_ctrl.GetHScrollPos() != redraw) {
        m_ctrl.InvalidateAll();
    } else {
        const int count = m_ctrl.GetLineCount();
        first = std::clamp(first, 0, count - 1);
        last = std::clamp(last, first, count - 1);
        QTextDocument* doc = m_ctrl.Document();
        const int lastHeight =
            int(doc->documentLayout()->blockBoundingRect(doc->findBlockByNumber(last)).height());
        const int top = m_ctrl.PosFromChar(m_ctrl.LineIndex(first)).y();
        const int lastTop = last == first ? top : m_ctrl.PosFromChar(m_ctrl.LineIndex(last)).y();
        const int bottom = lastTop + lastHeight;
        m_ctrl.InvalidateBand(top, bottom);
    }
}

void CSyntaxColorer::RecolorLines(int first, int last, int selStart, int selEnd, int redraw) {
    // Painting stays off only where the caller asks for it: nothing paints
    // before control returns to the event loop, and turning painting back
    // on would repaint the whole window.
    if (redraw == kRedrawNone) {
        m_ctrl.SetRedraw(false);
    }
    const bool changed = ColorLines(first, last, false);
    Finish(first, last, selStart, selEnd, redraw, changed);
}

void CSyntaxColorer::RecolorAll() {
    m_timer.stop();
    m_pendingActive = false;
    const int count = m_ctrl.GetLineCount();
    if (count <= kSyncLines) {
        RecolorLines(0, count - 1, 0, 0, kRedrawAll);
        return;
    }
    ColorLines(0, kFirstLines - 1, true);
    StartPending(kFirstLines);
    Finish(0, count - 1, 0, 0, kRedrawAll, true);
}

void CSyntaxColorer::StartPending(int line) {
    m_pending = QTextCursor(m_ctrl.Document());
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
