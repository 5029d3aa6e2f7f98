#pragma once
// The edit-control operations that the view's handlers rely on, on top of a
// QPlainTextEdit. A "line" is a text block (the view never wraps), a
// "position" is a QTextDocument position. This is the one place that knows
// how positions relate to the bytes of a line in the script's encoding
// (Shift_JIS unless set otherwise): the byte rules of the coloring and the
// navigation work on GetLine's bytes and convert byte offsets with
// PositionFromByte / ByteFromPosition / TextOfBytes.

#include <QByteArray>
#include <QPoint>
#include <QString>
#include <QTextBlock>
#include <span>

#include "text/TextEncoding.h"

class QPlainTextEdit;
class QTextDocument;

class CEditControl {
public:
    // A selection as positions, start <= end.
    struct Selection {
        int start = 0;
        int end = 0;
        bool operator==(const Selection&) const = default;
    };

    explicit CEditControl(QPlainTextEdit* edit);

    QPlainTextEdit* Widget() const { return m_edit; }
    QTextDocument* Document() const;

    // The encoding whose bytes the byte rules count.
    textenc::Encoding GetEncoding() const { return m_encoding; }
    void SetEncoding(textenc::Encoding encoding) { m_encoding = encoding; }

    // Number of lines (at least 1: an empty text has one empty line).
    int GetLineCount() const;
    // Asks LineIndex and LineFromChar for the caret's line.
    static constexpr int kCaret = -1;

    // First position of `line` (or of kCaret's line). Returns -1 for a line
    // that does not exist.
    int LineIndex(int line) const;
    // Line that holds `pos`, or the caret's line for kCaret.
    int LineFromChar(int pos) const;

    // The first `maxBytes` bytes of `line`, without its line end, cut at
    // exactly that many bytes (the last bytes may be the start of a
    // character). A character that the encoding cannot hold reads as "?".
    QByteArray GetLine(int line, int maxBytes) const;
    // Position of byte offset `byteOffset` within `line`. An offset inside a
    // two-byte character gives the character's position; an offset at or
    // past the line's end gives the end of the line.
    int PositionFromByte(int line, int byteOffset) const;
    // Byte offset of `pos` within its line.
    int ByteFromPosition(int pos) const;
    // The characters of `line` that bytes [begin, end) hold, so that
    // two-byte characters come out as the characters they are.
    QString TextOfBytes(int line, int begin, int end) const;

    // A line read once for the byte rules and the conversion of their
    // offsets: its block, its text, and its first bytes as GetLine gives
    // them.
    struct LineRead {
        QTextBlock block;
        QString text;
        QByteArray bytes;
    };
    LineRead ReadLine(const QTextBlock& block, int maxBytes) const;
    // Turns byte offsets within `line` into positions, as PositionFromByte
    // does, in one pass over the line's text when they ascend.
    void PositionsFromBytes(const LineRead& line, std::span<int> offsets) const;

    Selection GetSel() const;
    // Sets the selection: anchor at `start`, caret at `end`; both limited to
    // the text, a negative `end` meaning the end of the text. A negative
    // `start` removes the selection and leaves the caret where it is.
    void SetSel(int start, int end);
    // True when SetSel(start, end) would leave anchor and caret where they
    // are (never for a negative `start`).
    bool IsSel(int start, int end) const;
    // Inserts `text` at or in place of the selection; caret after it.
    void ReplaceSel(const QString& text);
    QString GetSelText() const;
    // Number of positions in the text (line ends count one each).
    int GetTextLength() const;

    // Painting of the control on or off. Turning it on repaints the whole
    // control (Qt schedules a full update when updates are enabled again).
    void SetRedraw(bool on);
    bool IsRedrawOn() const;
    void ScrollCaret();
    int GetHScrollPos() const;
    // Viewport coordinates of the top-left corner of `pos`.
    QPoint PosFromChar(int pos) const;
    // Repaints the whole viewport, or a band of it.
    void InvalidateAll();
    void InvalidateBand(int top, int bottom);
    // Repaints the band of the window that shows lines first..last.
    void InvalidateLines(int first, int last);
    // The first and the last line the window shows, from the scroll
    // position and the height of a line, without laying a line out: the
    // last may be a line or two past the window.
    struct LineRange {
        int first;
        int last;
    };
    LineRange GetVisibleLinesCheaply() const;

private:
    QTextBlock BlockOfLine(int line) const;
    // A position SetSel accepts, limited to the text.
    int ClampPosition(int pos) const;

    QPlainTextEdit* m_edit;
    textenc::Encoding m_encoding = textenc::Encoding::ShiftJis;
};
