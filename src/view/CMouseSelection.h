#pragma once
// How the mouse selects in the editor view beyond what the text widget
// does itself: the selection bar, a strip at the left edge where a click
// selects a whole line and a drag whole lines, with its own pointer there;
// and a drag in the text that selects whole words once it leaves the word
// it started in.
//
// The view hands each mouse event here first; what is not handled here the
// text widget handles as usual.

#include <QPoint>

class CEditControl;
class QMouseEvent;
class QPlainTextEdit;

class CMouseSelection {
public:
    // Width of the selection bar in pixels: the document's left margin.
    static constexpr int kBarWidth = 8;

    CMouseSelection(QPlainTextEdit* edit, CEditControl& ctrl);

    // Each returns true when it has handled the event, which then goes no
    // further.
    bool Press(QMouseEvent* event);
    bool DoubleClick(QMouseEvent* event);
    bool Drag(QMouseEvent* event);
    bool Release(QMouseEvent* event);
    // After the text widget has had a move without a button: the bar's
    // pointer over the bar, the I-beam over the text.
    void Hover(const QPoint& viewportPos);

    // Selects lines `from` to `to` (either order) whole, with their line
    // ends; the caret goes to the end that `to` gives.
    void SelectLines(int from, int to);

private:
    static bool InBar(const QPoint& viewportPos);
    // The line at height `y` of the viewport.
    int LineAt(int y) const;
    // Extends a drag selection from m_dragAnchor to `pos` by whole words
    // once it leaves the word it started in; false while inside that word.
    bool ExtendByWords(int pos);

    static constexpr int kNone = -1;
    QPlainTextEdit* m_edit;
    CEditControl& m_ctrl;
    // The line a selection-bar drag started on, the position a text drag
    // started at.
    int m_barAnchorLine = kNone;
    int m_dragAnchor = kNone;
};
