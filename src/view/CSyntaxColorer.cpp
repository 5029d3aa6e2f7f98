#include "view/CSyntaxColorer.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>

#include "edit/CEditControl.h"
#include "script/CKeywordTable.h"

CSyntaxColorer::CSyntaxColorer(CEditControl& ctrl, const CKeywordTable& table,
                               const Formats& formats, QObject* parent)
    : QObject(parent), m_ctrl(ctrl), m_table(table) {
    for (int i = 0; i < keywordcolors::kRecordCount; ++i) {
        m_recordFormats[i] = formats[0];
        m_recordFormats[i].merge(formats[i]);
    }
    m_timer.setSingleShot(true);
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
    cursor.setCharFormat(m_recordFormats[record]);
    m_changed = true;
}

void CSyntaxColorer::ScanRuns(const QTextBlock& block) {
    m_runs.clear();
    const CEditControl::LineRead line = m_ctrl.ReadLine(block, linescan::kMaxLineBytes);
    if (line.bytes.isEmpty()) {
        return;
    }
    m_ranges.clear();
    linescan::ScanLine(line.bytes, m_table, m_ranges);
    if (m_ranges.empty()) {
        return;
    }
    m_offsets.clear();
    for (const linescan::ColorRange& r : m_ranges) {
        m_offsets.push_back(r.start);
        m_offsets.push_back(r.end);
    }
    m_ctrl.PositionsFromBytes(line, m_offsets);
    for (size_t i = 0; i < m_ranges.size(); ++i) {
        const int from = m_offsets[2 * i];
        const int to = m_offsets[2 * i + 1];
        if (from < to) {
            m_runs.push_back({from, to, m_ranges[i].record});
        }
    }
}

void CSyntaxColorer::ColorLineAfterReset(QTextCursor& cursor, const QTextBlock& block) {
    ScanRuns(block);
    for (const Run& run : m_runs) {
        SetFormat(cursor, run.start, run.end, run.record);
    }
}

void CSyntaxColorer::ColorLineChanges(QTextCursor& cursor, const QTextBlock& block, int end,
                                      bool separator) {
    ScanRuns(block);

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
            if (piece.charFormat() != m_recordFormats[want.record]) {
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
    if (separator && next.isValid() && next.charFormat() != m_recordFormats[0]) {
        SetFormat(cursor, next.position() - 1, next.position(), 0);
    }
}

bool CSyntaxColorer::HoldsOnlyRecordZero(QTextBlock block, int end) const {
    // The text holds few distinct formats: compare the first one whole,
    // then only the indexes of the others.
    int recordZero = -1;
    auto isRecordZero = [&](int index, const QTextCharFormat& format) {
        if (recordZero < 0 && format == m_recordFormats[0]) {
            recordZero = index;
        }
        return index == recordZero;
    };
    for (; block.isValid() && block.position() < end; block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment piece = it.fragment();
            if (piece.position() >= end) {
                break;
            }
            if (!isRecordZero(piece.charFormatIndex(), piece.charFormat())) {
                return false;
            }
        }
        // The line end, which the next block's format stands for.
        const QTextBlock next = block.next();
        if (next.isValid() && next.position() - 1 < end &&
            !isRecordZero(next.charFormatIndex(), next.charFormat())) {
            return false;
        }
    }
    return true;
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
    const QTextBlock lastBlock = doc->findBlockByNumber(last);
    int resetEnd = lastBlock.position() + lastBlock.length() - 1;
    if (!wholeLast) {
        const CEditControl::LineRead line = m_ctrl.ReadLine(lastBlock, linescan::kMaxLineBytes);
        resetEnd = int(line.bytes.size());
        m_ctrl.PositionsFromBytes(line, std::span<int>(&resetEnd, 1));
    }
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
        QTextBlock block = doc->findBlockByNumber(first);
        const int end = resetEnd + (lastSeparator ? 1 : 0);
        if (!HoldsOnlyRecordZero(block, end)) {
            SetFormat(cursor, block.position(), end, 0);
        }
        for (int line = first; line <= last; ++line, block = block.next()) {
            ColorLineAfterReset(cursor, block);
        }
    }
    m_ctrl.EndBatch();
    return m_changed;
}

void CSyntaxColorer::SelectAndRepaint(int first, int last, int selStart, int selEnd, int redraw,
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
        m_ctrl.InvalidateLines(first, last);
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
    SelectAndRepaint(first, last, selStart, selEnd, redraw, changed);
}

void CSyntaxColorer::RecolorAll() {
    StopPending();
    const int count = m_ctrl.GetLineCount();
    if (count <= kSyncLines) {
        RecolorLines(0, count - 1, 0, 0, kRedrawAll);
        return;
    }
    ColorLines(0, kFirstLines - 1, true);
    StartPending(kFirstLines);
    SelectAndRepaint(0, count - 1, 0, 0, kRedrawAll, true);
}

void CSyntaxColorer::StartPending(int line) {
    if (!m_pendingActive) {
        m_ctrl.Widget()->viewport()->installEventFilter(this);
    }
    m_pending = QTextCursor(m_ctrl.Document());
    m_pending.setPosition(m_ctrl.LineIndex(line));
    m_pendingActive = true;
    // The first chunk waits for the window's own work after a load (its
    // layout and first paint) to end its pass of the event loop.
    m_timer.start(kFirstChunkDelayMs);
}

void CSyntaxColorer::StopPending() {
    m_timer.stop();
    if (m_pendingActive) {
        m_ctrl.Widget()->viewport()->removeEventFilter(this);
    }
    m_pendingActive = false;
    m_pending = QTextCursor();
}

void CSyntaxColorer::PendingDoneUpTo(int line) {
    if (line >= m_ctrl.GetLineCount()) {
        StopPending();
    } else if (line > m_pending.blockNumber()) {
        m_pending.setPosition(m_ctrl.LineIndex(line));
    }
}

void CSyntaxColorer::ColorLinesInOrder(int first, int last) {
    // The text's last line is reset as one pass over all lines would reset
    // it: up to its 254th byte.
    ColorLines(first, last, last < m_ctrl.GetLineCount() - 1);
}

void CSyntaxColorer::RunChunk() {
    if (!m_pendingActive) {
        return;
    }
    QElapsedTimer clock;
    clock.start();
    int line = m_pending.blockNumber();
    const int count = m_ctrl.GetLineCount();
    constexpr int kStep = 128;
    do {
        const int last = std::min(line + kStep, count) - 1;
        ColorLinesInOrder(line, last);
        line = last + 1;
    } while (line < count && clock.elapsed() < kChunkMs);
    // The window needs no repaint: the lines it shows were colored before
    // it painted them (see eventFilter), and coloring them again gives the
    // same formats.
    PendingDoneUpTo(line);
    if (m_pendingActive) {
        m_timer.start(0);
    }
}

bool CSyntaxColorer::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && m_pendingActive) {
        // Lines that come into view ahead of the chunks (a jump, a scroll,
        // a larger window) are colored before they are painted.
        const int pending = m_pending.blockNumber();
        const int bottom = m_ctrl.GetLastVisibleLine();
        if (bottom >= pending) {
            const int top = std::max(m_ctrl.GetFirstVisibleLine(), pending);
            ColorLinesInOrder(top, bottom);
            if (top == pending) {
                PendingDoneUpTo(bottom + 1);
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void CSyntaxColorer::FinishPending() {
    while (m_pendingActive) {
        RunChunk();
    }
    m_timer.stop();
}
