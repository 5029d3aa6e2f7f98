#pragma once
// Keeps the keyword colors of the view's text: recolors a range of lines
// (reset to the default record, then labels, words and comments as the
// line scan finds them) and the whole text after a load.
//
// The colors are held in a color map beside the text, not as character
// formats of the text: the map follows every change of the text the way
// formats would follow their characters (text inserted between recolorings
// takes the record at its insertion point), and the lines the window is
// about to paint get their colors from it as formats of their layouts.
// Setting a character format costs the document a split of its text for
// every colored word, which made coloring a script cost more than loading
// it; the map costs a few bytes per colored run.
//
// A long text is colored from the top: the lines a window can show first,
// at once, then the rest in short chunks from the event loop, so that a
// loaded script appears as fast as an uncolored one. The chunks end in the
// same records as one pass over every line; lines edited meanwhile are
// recolored by their editing hook and again by the chunk that reaches them.
// Waiting lines that come into view before their chunk (a jump to the end,
// a scroll, a larger window) are colored just before the window paints
// them, so the window never shows them uncolored.
//
// A block comment spans lines, so the colors of a line depend on the state
// (comment open or not) the line before ends in. Each line's block keeps
// the state it was colored from and the state it ends in (its user state).
// When an edit changes the state a line ends in, the lines after it are
// recolored until one starts in the state it was colored from: the lines
// the window shows at once, the rest in chunks as after a load.

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextLayout>
#include <QTimer>
#include <array>
#include <memory>
#include <vector>

#include "edit/CEditControl.h"
#include "script/LineScanner.h"
#include "view/CColorMap.h"
#include "view/KeywordColors.h"
#include "view/Redraw.h"

class CKeywordTable;
class CLineBoxLayout;
class QTextDocument;

class CSyntaxColorer : public QObject {
public:
    using Formats = std::array<QTextCharFormat, keywordcolors::kRecordCount>;

    // `ctrl`'s document is laid out by a CLineBoxLayout, which tells the
    // colorer of each change before it lays the changed lines out again.
    CSyntaxColorer(CEditControl& ctrl, const CKeywordTable& table, const Formats& formats,
                   QObject* parent = nullptr);
    ~CSyntaxColorer() override;

    // Recolors lines first..last (both included), sets the selection and
    // repaints as `redraw` says.
    void RecolorLines(int first, int last, int selStart, int selEnd, Redraw redraw);
    // Colors every line (see above) and puts the caret at the start.
    void RecolorAll();
    // Recolors lines first..last, sets the selection and repaints the
    // window; more lines than kSyncLines are colored as a loaded text is,
    // the lines the window shows first and the rest in chunks.
    void RecolorRange(int first, int last, int selStart, int selEnd);

    // Lines still waiting for their chunk.
    bool IsPending() const { return m_pendingActive; }
    // Colors every waiting line now.
    void FinishPending();

    // The record of every position of the text.
    const CColorMap& Colors() const { return m_colors; }
    // The same, to be changed directly (tests set up colors with it); the
    // window shows a change from its next paint on.
    CColorMap& Colors() { return m_colors; }
    // A copy of the text holding its colors as character formats, as
    // printing takes it.
    std::unique_ptr<QTextDocument> ColoredCopy() const;

    // The text widget is about to handle an input method's pre-edit text:
    // the changes it reports meanwhile change no character of the text.
    void SetComposing(bool composing) { m_composing = composing; }
    // The text widget is about to drop text at position `at`, first taking
    // positions [from, to) away when it moves them there from within the
    // window (counted before the move; empty for a copy). It reports the
    // whole as one change of a wider range than it touched; the colors
    // follow the insertion, and the move, as the changes they are. Cleared
    // by EndDrop.
    void BeginDrop(int from, int to, int at);
    void EndDrop() { m_drop.active = false; }

    // Texts of at most this many lines are colored in one pass.
    static constexpr int kSyncLines = 2000;
    // Lines colored at once before the chunks: more than any window shows.
    static constexpr int kFirstLines = 200;
    // Time a chunk may take, in milliseconds; the first after a load takes
    // less, since it runs in the same pass of the event loop as the
    // window's own work on the new text.
    static constexpr int kChunkMs = 5;
    static constexpr int kFirstChunkMs = 1;
    // Time before the first chunk, in milliseconds.
    static constexpr int kFirstChunkDelayMs = 1;

private:
    struct Colored {
        bool changed = false;  // any record changed
        int last = -1;         // the last line colored
        // The line after it starts in the state it was colored from (or
        // there is none): the lines after need no recoloring.
        bool settled = true;
    };
    // Resets lines first..last to record 0 and colors them, each from the
    // state the line before ends in; stops early after a line from
    // `stopFrom` on when the lines after it are settled. On the last line
    // colored only its first 254 bytes are reset unless `wholeLast` (and it
    // is not the text's last line), which takes the line and its line end.
    Colored ColorLines(int first, int last, bool wholeLast, int stopFrom);
    // Appends the colored runs of a line to m_wanted; returns its end state.
    linescan::LineState ScanRuns(const CEditControl::LineRead& line, linescan::LineState start);
    // The start state of `line` changed: recolors it and the lines after it
    // until one is settled, the ones the window can show at once, the rest
    // through the chunks. Returns the last line recolored now.
    int FollowState(int line, bool* changed);
    // The chunks must recolor at least up to `line` before they may stop.
    void MustReach(int line);
    // Steps after the coloring: selection, caret into view, repaint.
    void SelectAndRepaint(int first, int last, int selStart, int selEnd, Redraw redraw,
                          bool changed);
    void StartPending(int line);
    void StopPending();
    // Lines before `line` need no chunk any more.
    void PendingDoneUpTo(int line);
    // Colors lines first..last as one pass over every line would.
    void ColorLinesInOrder(int first, int last);
    void RunChunk();

    // Follows a change of the text in the color map.
    void OnContentsChange(int pos, int removed, int added);
    // The record that `added` positions inserted at `pos` take: the record
    // at the insertion point, as for a character typed there.
    int InsertionRecord(int pos, int added) const;
    // Gives the layouts of the lines about to be painted the map's colors.
    void ShowColors();
    // Before the line a change stays within is laid out again, gives its
    // layout the map's colors, so that it is laid out once.
    void ColorLayoutBeforeChange(int from, int charsChanged);
    // Sets the map's colors as the formats of `block`'s layout unless it
    // has them already (`scratch`: reused storage); true if it set them.
    bool GiveLayoutColors(const QTextBlock& block, QList<QTextLayout::FormatRange>& scratch);
    // The colors of `block` as formats of its layout.
    void LayoutFormats(const QTextBlock& block, QList<QTextLayout::FormatRange>& out);
    bool eventFilter(QObject* watched, QEvent* event) override;

    CEditControl& m_ctrl;
    const CKeywordTable& m_table;
    QPointer<CLineBoxLayout> m_boxes;
    // Record 0 merged with each record: the whole format a character of
    // that record has.
    Formats m_recordFormats;
    CColorMap m_colors;
    std::vector<linescan::ColorRange> m_ranges;
    std::vector<int> m_offsets;  // byte offsets of m_ranges, then positions
    std::vector<CColorMap::Run> m_wanted;
    std::vector<CColorMap::Run> m_runs;
    bool m_composing = false;
    struct Drop {
        bool active = false;
        int from = 0;
        int to = 0;
        int at = 0;
    } m_drop;

    QTimer m_timer;
    int m_chunkMs = kChunkMs;
    bool m_pendingActive = false;
    QTextCursor m_pending;  // start of the first waiting line; follows edits
    // Start of the last line that the chunks recolor in any case; after it
    // they stop at the first settled line.
    QTextCursor m_mustReach;
};
