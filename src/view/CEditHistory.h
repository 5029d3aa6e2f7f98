#pragma once
// The edit steps of a document's own undo history: which edits make one
// step, undo and redo with the range they changed, and the history's size.
//
// Every edit the editor makes is one step, opened by Begin and closed by
// End around it (an edit block of the document). A run of typed characters
// is one step, and so is a run of deletions: a keystroke of the same kind
// joins the step before it while nothing happened in between (no caret
// move, click, other edit, undo or save). Anything else (Enter with its
// indent, Tab, paste, cut, a replace, a drop, an input method's string) is
// a step of its own.
//
// The history holds at most kLimitChars characters of text (what its steps
// inserted and removed); past that the oldest steps go, until the newest
// that are left hold just over half of it.

#include <QObject>
#include <QtGlobal>

class CLineTags;
class QTextDocument;

class CEditHistory : public QObject {
public:
    enum class Kind {
        Single,    // a step of its own
        Typing,    // typed characters join each other
        Deleting,  // Backspace and Delete join each other
    };
    // A change of the text: `removed` positions at `pos` replaced by `added`.
    struct Change {
        int pos = -1;
        int removed = 0;
        int added = 0;
        bool IsValid() const { return pos >= 0; }
    };

    // 64 MB of text.
    static constexpr qint64 kLimitChars = qint64(32) << 20;

    CEditHistory(QTextDocument* doc, CLineTags* tags);

    // Opens a step for an edit of positions [from, to] with the caret at
    // `caret`, or joins the step before it (see above).
    void Begin(Kind kind, int caret, int from, int to);
    // Closes the step; the caret is at `caret`.
    void End(int caret);
    bool InStep() const { return m_inStep; }
    // The next keystroke starts a step of its own.
    void BreakRun() { m_run = Kind::Single; }

    bool CanUndo() const;
    bool CanRedo() const;
    // Undoes or redoes a step; the change it made (invalid when there was
    // nothing to undo or redo).
    Change Undo();
    Change Redo();

    void SetLimit(qint64 chars) { m_limit = chars; }
    // More text than the limit is held: Trim() should run soon.
    bool IsFull() const { return m_held > m_limit; }
    // Drops the oldest steps until the rest hold just over half the limit;
    // the text ends as it was. Returns the range the steps it undid and redid
    // span, to be recolored.
    Change Trim();

private:
    void OnContentsChange(int pos, int removed, int added);
    void OnStacksChanged();
    Change UndoOrRedo(bool undo);

    QTextDocument* m_doc;
    CLineTags* m_tags;
    int m_depth = 0;
    bool m_inStep = false;
    // The run a keystroke may join: its kind, the caret after it, and the
    // history's length then.
    Kind m_run = Kind::Single;
    int m_runCaret = -1;
    int m_runSteps = -1;
    // The changes an undo or redo reports, united.
    bool m_capturing = false;
    Change m_captured;
    qint64 m_held = 0;
    qint64 m_limit = kLimitChars;
};
