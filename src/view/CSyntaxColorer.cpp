#include "view/CSyntaxColorer.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>

#include "script/CKeywordTable.h"
#include "view/CLineBoxLayout.h"

CSyntaxColorer::CSyntaxColorer(CEditControl& ctrl, const CKeywordTable& table,
                               const Formats& formats, QObject* parent)
    : QObject(parent), m_ctrl(ctrl), m_table(table), m_colors(ctrl.GetTextLength()) {
    for (int i = 0; i < keywordcolors::kRecordCount; ++i) {
        m_recordFormats[i] = formats[0];
        m_recordFormats[i].merge(formats[i]);
    }
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this]() { RunChunk(); });
    connect(m_ctrl.Document(), &QTextDocument::contentsChange, this,
            &CSyntaxColorer::OnContentsChange);
    m_ctrl.Widget()->viewport()->installEventFilter(this);
    if (auto* boxes = qobject_cast<CLineBoxLayout*>(m_ctrl.Document()->documentLayout())) {
        boxes->SetChangeHook([this](int from, int removed, int added) {
            ColorLayoutBeforeChange(from, removed + added);
        });
    }
}

CSyntaxColorer::~CSyntaxColorer() {
    if (auto* boxes = qobject_cast<CLineBoxLayout*>(m_ctrl.Document()->documentLayout())) {
        boxes->SetChangeHook({});
    }
}

void CSyntaxColorer::ScanRuns(const CEditControl::LineRead& line) {
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
            m_wanted.push_back({from, to, m_ranges[i].record});
        }
    }
}

bool CSyntaxColorer::ColorLines(int first, int last, bool wholeLast) {
    const int count = m_ctrl.GetLineCount();
    first = std::max(first, 0);
    last = std::min(last, count - 1);
    if (first > last) {
        return false;
    }
    QTextBlock block = m_ctrl.Document()->findBlockByNumber(first);
    const int start = block.position();
    int end = start;
    m_wanted.clear();
    for (int line = first; line <= last; ++line, block = block.next()) {
        const CEditControl::LineRead read = m_ctrl.ReadLine(block, linescan::kMaxLineBytes);
        ScanRuns(read);
        if (line < last) {
            continue;
        }
        if (wholeLast) {
            // The line and its line end, when it has one.
            end = block.position() + block.length() - (last < count - 1 ? 0 : 1);
        } else {
            // Up to the last byte read: bytes past the 254th keep their record.
            end = int(read.bytes.size());
            m_ctrl.PositionsFromBytes(read, std::span<int>(&end, 1));
        }
    }
    return m_colors.Assign(start, end, m_wanted, 0);
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

void CSyntaxColorer::RecolorRange(int first, int last, int selStart, int selEnd) {
    if (last - first < kSyncLines) {
        RecolorLines(first, last, selStart, selEnd, kRedrawAll);
        return;
    }
    if (!m_pendingActive || first < m_pending.blockNumber()) {
        StartPending(first);
    }
    SelectAndRepaint(first, last, selStart, selEnd, kRedrawAll, true);
}

void CSyntaxColorer::StartPending(int line) {
    m_pending = QTextCursor(m_ctrl.Document());
    m_pending.setPosition(m_ctrl.LineIndex(line));
    m_pendingActive = true;
    m_chunkMs = kFirstChunkMs;
    // The first chunk waits for the window's own work after a load (its
    // layout and first paint) to end its pass of the event loop.
    m_timer.start(kFirstChunkDelayMs);
}

void CSyntaxColorer::StopPending() {
    m_timer.stop();
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
    } while (line < count && clock.elapsed() < m_chunkMs);
    m_chunkMs = kChunkMs;
    // The window needs no repaint: the lines it shows were colored before
    // it painted them (see eventFilter), and coloring them again gives the
    // same records.
    PendingDoneUpTo(line);
    if (m_pendingActive) {
        m_timer.start(0);
    }
}

void CSyntaxColorer::FinishPending() {
    while (m_pendingActive) {
        RunChunk();
    }
    m_timer.stop();
}

void CSyntaxColorer::BeginDrop(int from, int to, int at) {
    m_drop = {true, std::min(from, to), std::max(from, to), at};
}

int CSyntaxColorer::InsertionRecord(int pos, int added) const {
    // As the text widget gives a typed character the format of the
    // character before the caret, or at the start of a line that has text,
    // that of the line's first character.
    const QTextDocument* doc = m_ctrl.Document();
    const int length = m_ctrl.GetTextLength();
    const bool lineStart = pos == 0 || doc->characterAt(pos - 1) == QChar::ParagraphSeparator;
    const int next = pos + added;  // the character that followed the insertion point
    const bool lineHasText = next < length && doc->characterAt(next) != QChar::ParagraphSeparator;
    if (lineStart && lineHasText) {
        return m_colors.RecordAt(pos);
    }
    return pos > 0 ? m_colors.RecordAt(pos - 1) : CColorMap::kUnset;
}

void CSyntaxColorer::OnContentsChange(int pos, int removed, int added) {
    const int oldLength = m_colors.Length();
    const int newLength = m_ctrl.GetTextLength();
    if (m_composing && oldLength == newLength) {
        // A pre-edit string shown or changed: the text is as it was.
        return;
    }
    if (m_drop.active) {
        const Drop drop = m_drop;
        m_drop.active = false;
        const int moved = drop.to - drop.from;
        const int inserted = newLength - oldLength + moved;
        if (drop.to <= oldLength && drop.at <= oldLength && inserted >= 0) {
            m_colors.Replace(drop.from, moved, 0, CColorMap::kUnset);
            // Where the insertion point went when the moved text left.
            const int at = drop.at >= drop.to    ? drop.at - moved
                           : drop.at > drop.from ? drop.from
                                                 : drop.at;
            m_colors.Replace(at, 0, inserted, InsertionRecord(at, inserted));
            return;
        }
    }
    // The document reports the text's final line end as well when a change
    // reaches the end; the map holds the text without it.
    pos = std::clamp(pos, 0, oldLength);
    removed = std::clamp(removed, 0, oldLength - pos);
    added = newLength - oldLength + removed;
    if (added < 0) {
        m_colors.Reset(newLength);
        return;
    }
    m_colors.Replace(pos, removed, added, added > 0 ? InsertionRecord(pos, added) : 0);
}

void CSyntaxColorer::LayoutFormats(const QTextBlock& block, QList<QTextLayout::FormatRange>& out) {
    out.clear();
    const int base = block.position();
    m_colors.RunsIn(base, base + block.length() - 1, m_runs);
    // A pre-edit string of an input method sits in the layout between two
    // characters of the text; the input method's own formats cover it.
    const QTextLayout* layout = block.layout();
    const int preeditAt = layout->preeditAreaPosition();
    const int preeditLength = int(layout->preeditAreaText().size());
    auto add = [&](int from, int to, int record) {
        if (from < to && record > 0) {
            out.push_back({from, to - from, m_recordFormats[record]});
        }
    };
    for (const CColorMap::Run& run : m_runs) {
        const int from = run.start - base;
        const int to = run.end - base;
        if (preeditLength == 0 || to <= preeditAt) {
            add(from, to, run.record);
        } else if (from >= preeditAt) {
            add(from + preeditLength, to + preeditLength, run.record);
        } else {
            add(from, preeditAt, run.record);
            add(preeditAt + preeditLength, to + preeditLength, run.record);
        }
    }
    if (preeditLength > 0) {
        for (const QTextLayout::FormatRange& range : layout->formats()) {
            if (range.start >= preeditAt &&
                range.start + range.length <= preeditAt + preeditLength) {
                out.push_back(range);
            }
        }
    }
}

void CSyntaxColorer::ShowColors() {
    QTextDocument* doc = m_ctrl.Document();
    const CEditControl::LineRange lines = m_ctrl.GetVisibleLinesCheaply();
    QTextBlock block = doc->findBlockByNumber(lines.first);
    int changedFrom = -1;
    int changedTo = -1;
    QList<QTextLayout::FormatRange> wanted;
    for (int line = lines.first; line <= lines.last && block.isValid();
         ++line, block = block.next()) {
        if (!GiveLayoutColors(block, wanted)) {
            continue;
        }
        if (changedFrom < 0) {
            changedFrom = block.position();
        }
        changedTo = block.position() + block.length();
    }
    if (changedFrom < 0) {
        return;
    }
    // A layout's new formats count as a change of the document's contents,
    // which the document would otherwise report together with the next
    // edit of the text. Marking them now settles that at once; the window
    // is about to paint these lines, and lays them out as it does.
    if (auto* boxes = qobject_cast<CLineBoxLayout*>(doc->documentLayout())) {
        boxes->SetFormatsOnly(true);
        doc->markContentsDirty(changedFrom, changedTo - changedFrom - 1);
        boxes->SetFormatsOnly(false);
    } else if (doc->blockCount() > 1) {
        // A plain layout forgets the layouts of two lines or more and asks
        // to repaint the window, which is being painted.
        if (doc->findBlock(changedTo - 1) == doc->findBlock(changedFrom)) {
            const QTextBlock only = doc->findBlock(changedFrom);
            const QTextBlock other = only.next().isValid() ? only.next() : only.previous();
            changedFrom = std::min(changedFrom, other.position());
            changedTo = std::max(changedTo, other.position() + other.length());
        }
        const QSignalBlocker quietLayout(doc->documentLayout());
        doc->markContentsDirty(changedFrom, changedTo - changedFrom - 1);
    } else {
        doc->markContentsDirty(changedFrom, changedTo - changedFrom - 1);
    }
}

void CSyntaxColorer::ColorLayoutBeforeChange(int from, int charsChanged) {
    // The layout lays out again at once only a change within one line (it
    // forgets the layouts of longer ones, and the paint sets their colors).
    // The document has already handed it the change: the new formats are
    // no further change to report.
    const QTextDocument* doc = m_ctrl.Document();
    const QTextBlock block = doc->findBlock(from);
    if (!block.isValid() || doc->findBlock(std::max(0, from + charsChanged - 1)) != block) {
        return;
    }
    QList<QTextLayout::FormatRange> wanted;
    GiveLayoutColors(block, wanted);
}

bool CSyntaxColorer::GiveLayoutColors(const QTextBlock& block,
                                      QList<QTextLayout::FormatRange>& scratch) {
    LayoutFormats(block, scratch);
    QTextLayout* layout = block.layout();
    if (layout->formats() == scratch) {
        return false;
    }
    layout->setFormats(scratch);
    return true;
}

bool CSyntaxColorer::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint) {
        if (m_pendingActive) {
            // Lines that come into view ahead of the chunks (a jump, a
            // scroll, a larger window) are colored before they are painted.
            const int pending = m_pending.blockNumber();
            const CEditControl::LineRange lines = m_ctrl.GetVisibleLinesCheaply();
            if (lines.last >= pending) {
                const int top = std::max(lines.first, pending);
                ColorLinesInOrder(top, lines.last);
                if (top == pending) {
                    PendingDoneUpTo(lines.last + 1);
                }
            }
        }
        ShowColors();
    }
    return QObject::eventFilter(watched, event);
}

std::unique_ptr<QTextDocument> CSyntaxColorer::ColoredCopy() const {
    const QTextDocument* doc = m_ctrl.Document();
    std::unique_ptr<QTextDocument> copy(doc->clone());
    copy->setUndoRedoEnabled(false);
    std::vector<CColorMap::Run> runs;
    m_colors.RunsIn(0, m_colors.Length(), runs);
    QTextCursor cursor(copy.get());
    cursor.beginEditBlock();
    for (const CColorMap::Run& run : runs) {
        if (run.record == CColorMap::kUnset) {
            continue;
        }
        cursor.setPosition(run.start);
        cursor.setPosition(run.end, QTextCursor::KeepAnchor);
        cursor.setCharFormat(m_recordFormats[run.record]);
    }
    cursor.endEditBlock();
    return copy;
}
