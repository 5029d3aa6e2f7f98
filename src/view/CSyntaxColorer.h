#pragma once
// Keeps the keyword colors of the view's text: recolors a range of lines
// (reset to the default record, then labels, words and comments as the
// line scan finds them) and the whole text after a load.
//
// A long text is colored from the top: the lines a window can show first,
// at once, then the rest in short chunks from the event loop, so that a
// loaded script appears as fast as an uncolored one. The chunks end in the
// same formats as one pass over every line; lines edited meanwhile are
// recolored by their editing hook and again by the chunk that reaches them.
// Waiting lines that come into view before their chunk (a jump to the end,
// a scroll, a larger window) are colored just before the window paints
// them, so the window never shows them uncolored.

#include <QElapsedTimer>
#include <QObject>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTimer>
#include <array>
#include <vector>

#include "script/LineScanner.h"
#include "view/KeywordColors.h"

class CEditControl;
class CKeywordTable;

class CSyntaxColorer : public QObject {
public:
    using Formats = std::array<QTextCharFormat, keywordcolors::kRecordCount>;

    // Redraw arguments besides a horizontal scroll position.
    static constexpr int kRedrawAll = -1;
    static constexpr int kRedrawNone = -2;

    CSyntaxColorer(CEditControl& ctrl, const CKeywordTable& table, const Formats& formats,
                   QObject* parent = nullptr);

    // Recolors lines first..last (both included), sets the selection and
    // repaints: only the band of the lines when `redraw` equals the
    // horizontal scroll position afterwards, the whole window otherwise
    // (always for kRedrawAll); kRedrawNone leaves painting off for the
    // caller.
    void RecolorLines(int first, int last, int selStart, int selEnd, int redraw);
    // Colors every line (see above) and puts the caret at the start.
    void RecolorAll();

    // Lines still waiting for their chunk.
    bool IsPending() const { return m_pendingActive; }
    // Colors every waiting line now.
    void FinishPending();

    // Texts of at most this many lines are colored in one pass.
    static constexpr int kSyncLines = 2000;
    // Lines colored at once before the chunks: more than any window shows.
    static constexpr int kFirstLines = 200;
    // Ranges of up to this many lines (the editing hooks') change only the
    // formats that differ; longer ones are reset and colored.
    static constexpr int kChangeOnlyLines = 8;
    // Time a chunk may take, in milliseconds.
    static constexpr int kChunkMs = 5;
    // Time before the first chunk, in milliseconds.
    static constexpr int kFirstChunkDelayMs = 1;

private:
    // Resets lines first..last to record 0 and colors them, as one edit
    // block that leaves the modified flag and the change signals alone.
    // On line last only its first 254 bytes are reset unless `wholeLast`,
    // which takes the line and its line end.
    // Returns whether any format changed.
    bool ColorLines(int first, int last, bool wholeLast);
    // Whether every position from `block` up to `end` has record 0, as a
    // text no coloring has reached yet.
    bool HoldsOnlyRecordZero(QTextBlock block, int end) const;
    // A run of positions [start, end) in one record.
    struct Run {
        int start;
        int end;
        int record;
    };
    // The colored runs of the line held by `block` into m_runs.
    void ScanRuns(const QTextBlock& block);
    // Colors the runs of a line that was just reset to record 0.
    void ColorLineAfterReset(QTextCursor& cursor, const QTextBlock& block);
    // Gives the line's positions up to `end` (and its line end when
    // `separator`) the formats they should have, changing only those that
    // differ.
    void ColorLineChanges(QTextCursor& cursor, const QTextBlock& block, int end, bool separator);
    void SetFormat(QTextCursor& cursor, int start, int end, int record);
    // Steps after the coloring: selection, caret into view, repaint.
    void SelectAndRepaint(int first, int last, int selStart, int selEnd, int redraw, bool changed);
    void StartPending(int line);
    void StopPending();
    // Lines before `line` need no chunk any more.
    void PendingDoneUpTo(int line);
    // Colors lines first..last as one pass over every line would.
    void ColorLinesInOrder(int first, int last);
    void RunChunk();
    // Colors the waiting lines the window is about to paint.
    bool eventFilter(QObject* watched, QEvent* event) override;

    CEditControl& m_ctrl;
    const CKeywordTable& m_table;
    // Record 0 merged with each record: the whole format a character of
    // that record has, set in one step instead of merged.
    Formats m_recordFormats;
    std::vector<linescan::ColorRange> m_ranges;
    std::vector<int> m_offsets;  // byte offsets of m_ranges, then positions
    std::vector<Run> m_runs;
    std::vector<Run> m_wanted;
    std::vector<Run> m_changes;
    bool m_changed = false;  // a format was set since ColorLines began

    QTimer m_timer;
    bool m_pendingActive = false;
    QTextCursor m_pending;  // start of the first waiting line; follows edits
};
