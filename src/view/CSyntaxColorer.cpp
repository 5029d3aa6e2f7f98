#include "view/CSyntaxColorer.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>
#include <limits>

#include "script/CKeywordTable.h"
#include "view/CLineBoxLayout.h"

CSyntaxColorer::CSyntaxColorer(CEditControl& ctrl, const CKeywordTable& table,
                               const Formats& formats, QObject* parent)
    : QObject(parent),
      m_ctrl(ctrl),
      m_table(table),
      m_boxes(qobject_cast<CLineBoxLayout*>(ctrl.Document()->documentLayout())),
      m_colors(ctrl.GetTextLength()) {
    Q_ASSERT(m_boxes);
    for (int i = 0; i < keywordcolors::kRecordCount; ++i) {
        m_recordFormats[i] = formats[0];
        m_recordFormats[i].merge(formats[i]);
    }
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this]() { RunChunk(); });
    connect(m_ctrl.Document(), &QTextDocument::contentsChange, this,
            &CSyntaxColorer::OnContentsChange);
    m_ctrl.Widget()->viewport()->installEventFilter(this);
    m_boxes->SetChangeHook([this](int from, int removed, int added) {
        ColorLayoutBeforeChange(from, removed + added);
    });
}

CSyntaxColorer::~CSyntaxColorer() {
    if (m_boxes) {
        m_boxes->SetChangeHook({});
    }
}

namespace {

using linescan::LineState;

// A block's user state: -1 while the line was never colored, else the
// state it was colored from (bit 0) and the state it ends in (bit 1).
constexpr int kStartBit = 1;
constexpr int kEndBit = 2;

int UserState(LineState start, LineState end) {
    return (start == LineState::InComment ? kStartBit : 0) |
           (end == LineState::InComment ? kEndBit : 0);
}

// The state a line starts in: the end state of the line before.
LineState StartState(const QTextBlock& block) {
    const int before = block.previous().isValid() ? block.previous().userState() : -1;
    return before >= 0 && (before & kEndBit) ? LineState::InComment : LineState::Code;
}

// Whether `next` (the line after one that ends in `end`) was colored from
// that state.
bool Settled(const QTextBlock& next, LineState end) {
    if (!next.isValid()) {
        return true;
    }
    const int state = next.userState();
    return state >= 0 && ((state & kStartBit) != 0) == (end == LineState::InComment);
}

// Bytes read of a line: all of them, since a comment may open or close
// past the colored ones.
constexpr int kWholeLine = std::numeric_limits<int>::max() / 4;

}  // namespace

LineState CSyntaxColorer::ScanRuns(const CEditControl::LineRead& line, LineState start) {
    if (line.bytes.isEmpty()) {
        return start;
    }
    m_ranges.clear();
    const LineState end =
        linescan::ScanLine(line.bytes, m_table, m_ranges, start, m_ctrl.GetEncoding());
    if (m_ranges.empty()) {
        return end;
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
    return end;
}

CSyntaxColorer::Colored CSyntaxColorer::ColorLines(int first, int last, bool wholeLast,
                                                   int stopFrom) {
    const int count = m_ctrl.GetLineCount();
    first = std::max(first, 0);
    last = std::min(last, count - 1);
    Colored result;
    if (first > last) {
        return result;
    }
    QTextBlock block = m_ctrl.Document()->findBlockByNumber(first);
    const int start = block.position();
    LineState state = StartState(block);
    m_wanted.clear();
    CEditControl::LineRead read;
    for (int line = first; line <= last; ++line) {
        read = m_ctrl.ReadLine(block, kWholeLine);
        const LineState end = ScanRuns(read, state);
        block.setUserState(UserState(state, end));
        state = end;
        result.last = line;
        result.settled = Settled(block.next(), end);
        if (line == last || (line >= stopFrom && result.settled)) {
            break;
        }
        block = block.next();
    }
    int end = 0;
    if (wholeLast && result.last < count - 1) {
        // The line and its line end.
        end = block.position() + block.length();
    } else {
        // Up to the last byte colored: bytes past the 254th keep their record.
        end = int(std::min<qsizetype>(read.bytes.size(), linescan::kMaxLineBytes));
        m_ctrl.PositionsFromBytes(read, std::span<int>(&end, 1));
    }
    result.changed = m_colors.Assign(start, end, m_wanted, 0);
    return result;
}

int CSyntaxColorer::FollowState(int line, bool* changed) {
    if (m_pendingActive && line >= m_pending.blockNumber()) {
        // The chunks get there; they must not stop before.
        MustReach(line);
        return line - 1;
    }
    // The lines the window can show now, the rest through the chunks.
    const int shown = std::min(m_ctrl.GetVisibleLinesCheaply().last, line + kFirstLines);
    int last = line - 1;
    if (line <= shown) {
        const Colored colored = ColorLines(line, shown, true, line);
        *changed = *changed || colored.changed;
        last = colored.last;
        if (colored.settled) {
            return last;
        }
    }
    const int next = last + 1;
    if (next >= m_ctrl.GetLineCount()) {
        return last;
    }
    if (!m_pendingActive) {
        StartPending(next);
        m_mustReach.setPosition(m_ctrl.LineIndex(next));
    } else if (next < m_pending.blockNumber()) {
        m_pending.setPosition(m_ctrl.LineIndex(next));
    }
    return last;
}

void CSyntaxColorer::MustReach(int line) {
    if (line > m_mustReach.blockNumber()) {
        m_mustReach.setPosition(m_ctrl.LineIndex(line));
    }
}

void CSyntaxColorer::SelectAndRepaint(int first, int last, int selStart, int selEnd, Redraw redraw,
                                      bool changed) {
    // Setting the selection the view already has would only cost a layout
    // of the line and two cursor repaints.
    const bool select = !m_ctrl.IsSel(selStart, selEnd);
    if (select) {
        m_ctrl.SetSel(selStart, selEnd);
    }
    if (redraw.IsNone()) {
        return;
    }
    const bool wasOff = !m_ctrl.IsRedrawOn();
    m_ctrl.SetRedraw(true);
    if (!changed && !select && !wasOff && redraw.BandOnlyAt(m_ctrl.GetHScrollPos())) {
        // No color and no selection changed: the window shows the lines as
        // they are, since the control repainted and scrolled for its own
        // change. Most keystrokes end here.
        return;
    }
    m_ctrl.ScrollCaret();
    if (redraw.BandOnlyAt(m_ctrl.GetHScrollPos())) {
        m_ctrl.InvalidateLines(first, last);
    } else {
        m_ctrl.InvalidateAll();
    }
}

void CSyntaxColorer::RecolorLines(int first, int last, int selStart, int selEnd, Redraw redraw) {
    // Painting stays off only where the caller asks for it: nothing paints
    // before control returns to the event loop, and turning painting back
    // on would repaint the whole window.
    if (redraw.IsNone()) {
        m_ctrl.SetRedraw(false);
    }
    const Colored colored = ColorLines(first, last, false, last);
    bool changed = colored.changed;
    if (!colored.settled) {
        last = std::max(last, FollowState(colored.last + 1, &changed));
    }
    SelectAndRepaint(first, last, selStart, selEnd, redraw, changed);
}

void CSyntaxColorer::RecolorAll() {
    StopPending();
    const int count = m_ctrl.GetLineCount();
    if (count <= kSyncLines) {
        RecolorLines(0, count - 1, 0, 0, Redraw::All());
        return;
    }
    ColorLines(0, kFirstLines - 1, true, kFirstLines - 1);
    StartPending(kFirstLines);
    // Every line is recolored, whatever it was colored from before.
    m_mustReach.setPosition(m_ctrl.LineIndex(count - 1));
    SelectAndRepaint(0, count - 1, 0, 0, Redraw::All(), true);
}

void CSyntaxColorer::RecolorRange(int first, int last, int selStart, int selEnd) {
    if (last - first < kSyncLines) {
        RecolorLines(first, last, selStart, selEnd, Redraw::All());
        return;
    }
    if (!m_pendingActive || first < m_pending.blockNumber()) {
        StartPending(first);
    }
    SelectAndRepaint(first, last, selStart, selEnd, Redraw::All(), true);
}

void CSyntaxColorer::StartPending(int line) {
    m_pending = QTextCursor(m_ctrl.Document());
    m_pending.setPosition(m_ctrl.LineIndex(line));
    m_mustReach = m_pending;
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
    m_mustReach = QTextCursor();
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
    ColorLines(first, last, true, last);
}

void CSyntaxColorer::RunChunk() {
    if (!m_pendingActive) {
        return;
    }
    QElapsedTimer clock;
    clock.start();
    int line = m_pending.blockNumber();
    const int count = m_ctrl.GetLineCount();
    const int mustReach = m_mustReach.blockNumber();
    const CEditControl::LineRange shown = m_ctrl.GetVisibleLinesCheaply();
    constexpr int kStep = 128;
    bool done = false;
    do {
        const Colored colored = ColorLines(line, line + kStep - 1, true, mustReach);
        if (colored.last < line) {
            break;  // no line left
        }
        // Lines the window shows were colored before it painted them, but
        // from the state the line before had then.
        if (colored.changed && line <= shown.last && colored.last >= shown.first) {
            m_ctrl.InvalidateLines(std::max(line, shown.first), std::min(colored.last, shown.last));
        }
        line = colored.last + 1;
        done = colored.settled && colored.last >= mustReach;
    } while (!done && line < count && clock.elapsed() < m_chunkMs);
    m_chunkMs = kChunkMs;
    if (done) {
        StopPending();
        return;
    }
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
    m_boxes->SetFormatsOnly(true);
    doc->markContentsDirty(changedFrom, changedTo - changedFrom - 1);
    m_boxes->SetFormatsOnly(false);
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
