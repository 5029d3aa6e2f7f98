#include "view/CEditHistory.h"

#include <QSignalBlocker>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <vector>

#include "view/CLineTags.h"

namespace {

// The positions [start, start + added) that `acc` and then `next` changed,
// in the text after both.
CEditHistory::Change Unite(const CEditHistory::Change& acc, const CEditHistory::Change& next) {
    if (!acc.IsValid()) {
        return {next.pos, 0, next.added};
    }
    const int nextEnd = next.pos + next.removed;
    const auto moved = [&](int p) {
        return p <= next.pos ? p : p >= nextEnd ? p + next.added - next.removed : next.pos;
    };
    const int start = std::min(moved(acc.pos), next.pos);
    const int end = std::max(moved(acc.pos + acc.added), next.pos + next.added);
    return {start, 0, end - start};
}

// Sets the modified state and the point in the history it refers to
// without telling anyone: the state does not change for the user.
void ResetModified(QTextDocument* doc, bool modified) {
    const QSignalBlocker quiet(doc);
    doc->setModified(!modified);
    doc->setModified(modified);
}

}  // namespace

CEditHistory::CEditHistory(QTextDocument* doc, CLineTags* tags)
    : QObject(doc), m_doc(doc), m_tags(tags) {
    connect(doc, &QTextDocument::contentsChange, this, &CEditHistory::OnContentsChange);
    connect(doc, &QTextDocument::undoAvailable, this, &CEditHistory::OnStacksChanged);
    connect(doc, &QTextDocument::redoAvailable, this, &CEditHistory::OnStacksChanged);
}

void CEditHistory::Begin(Kind kind, int caret, int from, int to) {
    if (m_depth++ > 0) {
        return;
    }
    // A keystroke joins the run before it when nothing came in between: the
    // caret is where the run left it, no step was added or undone since, and
    // the text was not saved (the saved state stays a step boundary).
    const bool join = kind != Kind::Single && kind == m_run && caret == m_runCaret &&
                      m_doc->availableUndoSteps() == m_runSteps && m_doc->isModified();
    QTextCursor cursor(m_doc);
    cursor.setPosition(std::clamp(caret, 0, m_doc->characterCount() - 1));
    if (join) {
        cursor.joinPreviousEditBlock();
    } else {
        cursor.beginEditBlock();
    }
    m_inStep = true;
    m_run = kind;
    const QTextBlock first = m_doc->findBlock(std::min(from, to));
    const QTextBlock last = m_doc->findBlock(std::max(from, to));
    m_tags->BeforeEdit(first.blockNumber(),
                       last.isValid() ? last.blockNumber() : m_doc->blockCount());
}

void CEditHistory::End(int caret) {
    if (m_depth == 0 || --m_depth > 0) {
        return;
    }
    m_tags->AfterEdit();
    QTextCursor(m_doc).endEditBlock();
    m_inStep = false;
    m_runCaret = caret;
    m_runSteps = m_doc->availableUndoSteps();
}

bool CEditHistory::CanUndo() const {
    return m_doc->isUndoAvailable();
}

bool CEditHistory::CanRedo() const {
    return m_doc->isRedoAvailable();
}

CEditHistory::Change CEditHistory::Undo() {
    return UndoOrRedo(true);
}

CEditHistory::Change CEditHistory::Redo() {
    return UndoOrRedo(false);
}

CEditHistory::Change CEditHistory::UndoOrRedo(bool undo) {
    BreakRun();
    if (undo ? !CanUndo() : !CanRedo()) {
        return {};
    }
    m_capturing = true;
    m_captured = {};
    if (undo) {
        m_doc->undo();
    } else {
        m_doc->redo();
    }
    m_capturing = false;
    return m_captured;
}

CEditHistory::Change CEditHistory::Trim() {
    if (!IsFull()) {
        return {};
    }
    BreakRun();
    // The text passes through older states on the way: nobody is told of a
    // change of the modified state meanwhile.
    const bool modified = m_doc->isModified();
    ResetModified(m_doc, true);
    // The newest steps that hold up to half the limit stay; the document
    // can only drop the whole undo side of its history, so they are undone,
    // the rest is dropped, and they are done again.
    Change touched;
    std::vector<qint64> sizes;
    qint64 kept = 0;
    while (kept <= m_limit / 2 && CanUndo()) {
        const Change change = UndoOrRedo(true);
        touched = Unite(touched, change);
        sizes.push_back(qint64(change.removed) + change.added);
        kept += sizes.back();
    }
    size_t redo = sizes.size();
    if (kept > m_limit && redo > 0) {
        // A step that does not fit goes too.
        touched = Unite(touched, UndoOrRedo(false));
        kept -= sizes[--redo];
    }
    m_doc->clearUndoRedoStacks(QTextDocument::UndoStack);
    for (size_t i = 0; i < redo; ++i) {
        touched = Unite(touched, UndoOrRedo(false));
    }
    m_held = kept;
    ResetModified(m_doc, modified);
    return touched;
}

void CEditHistory::OnContentsChange(int pos, int removed, int added) {
    if (m_capturing) {
        m_captured = m_captured.IsValid() ? Unite(m_captured, {pos, removed, added})
                                          : Change{pos, removed, added};
        return;
    }
    // A new text (a load) is not part of the history.
    if (m_doc->isUndoRedoEnabled()) {
        m_held += qint64(removed) + added;
    }
}

void CEditHistory::OnStacksChanged() {
    if (!CanUndo() && !CanRedo()) {
        m_held = 0;
        BreakRun();
    }
}
