#include "view/CMouseSelection.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <algorithm>

#include "edit/CEditControl.h"
#include "view/WordBounds.h"

namespace {

// The pointer over the selection bar: an arrow pointing up and right, the
// standard arrow mirrored.
QCursor BarCursor() {
    constexpr int kSize = 16;
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        const QPointF arrow[] = {{15, 0}, {15, 13}, {12, 10}, {9, 15}, {7, 14}, {10, 9}, {6, 9}};
        painter.setPen(Qt::black);
        painter.setBrush(Qt::white);
        painter.drawPolygon(arrow, int(std::size(arrow)));
    }
    return QCursor(pixmap, kSize - 1, 0);
}

}  // namespace

CMouseSelection::CMouseSelection(QPlainTextEdit* edit, CEditControl& ctrl)
    : m_edit(edit), m_ctrl(ctrl) {
    // Moves without a button pressed reach the view: the pointer changes
    // over the selection bar.
    m_edit->viewport()->setMouseTracking(true);
}

bool CMouseSelection::InBar(const QPoint& viewportPos) {
    return viewportPos.x() >= 0 && viewportPos.x() < kBarWidth;
}

int CMouseSelection::LineAt(int y) const {
    return m_edit->cursorForPosition(QPoint(kBarWidth, y)).blockNumber();
}

void CMouseSelection::SelectLines(int from, int to) {
    const QTextDocument* doc = m_edit->document();
    const QTextBlock first = doc->findBlockByNumber(std::min(from, to));
    const QTextBlock last = doc->findBlockByNumber(std::max(from, to));
    const int start = first.position();
    // A whole line includes its line end; the last line has none.
    const int end =
        last.next().isValid() ? last.next().position() : last.position() + last.length() - 1;
    if (to >= from) {
        m_ctrl.SetSel(start, end);
    } else {
        m_ctrl.SetSel(end, start);
    }
}

bool CMouseSelection::ExtendByWords(int pos) {
    const QTextDocument* doc = m_edit->document();
    const QTextBlock anchorBlock = doc->findBlock(m_dragAnchor);
    const QString anchorText = anchorBlock.text();
    const int anchorIndex = m_dragAnchor - anchorBlock.position();
    const bool forward = pos > m_dragAnchor;
    // The word the drag started in, on the side it moves to.
    const int wordIndex = (forward || anchorIndex == 0) ? anchorIndex : anchorIndex - 1;
    const wordbounds::Word anchorWord = wordbounds::WordAt(anchorText, wordIndex);
    const int wordStart = anchorBlock.position() + anchorWord.start;
    const int wordEnd = anchorBlock.position() + anchorWord.end;
    if (pos >= wordStart && pos <= wordEnd) {
        return false;
    }
    const QTextBlock block = doc->findBlock(pos);
    const QString text = block.text();
    const int index = pos - block.position();
    if (forward) {
        const int end = index > 0 ? wordbounds::WordAt(text, index - 1).end : 0;
        m_ctrl.SetSel(wordStart, block.position() + end);
    } else {
        m_ctrl.SetSel(wordEnd, block.position() + wordbounds::WordAt(text, index).start);
    }
    m_edit->ensureCursorVisible();
    return true;
}

bool CMouseSelection::Press(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    m_barAnchorLine = kNone;
    m_dragAnchor = kNone;
    if (event->button() == Qt::LeftButton && InBar(pos)) {
        // A click in the selection bar selects its line; a drag from
        // there selects whole lines.
        m_barAnchorLine = LineAt(pos.y());
        SelectLines(m_barAnchorLine, m_barAnchorLine);
        m_edit->setFocus(Qt::MouseFocusReason);
        event->accept();
        return true;
    }
    // A press inside the selection may start dragging the selected text
    // away; any other left press may start a drag that selects words.
    const QTextCursor before = m_edit->textCursor();
    const int at = m_edit->cursorForPosition(pos).position();
    const bool onSelection =
        before.hasSelection() && at >= before.selectionStart() && at <= before.selectionEnd();
    if (event->button() == Qt::LeftButton && !(event->modifiers() & Qt::ShiftModifier) &&
        !onSelection) {
        m_dragAnchor = at;
    }
    return false;
}

bool CMouseSelection::DoubleClick(QMouseEvent* event) {
    // A double click in the selection bar is two clicks there, not a word.
    return event->button() == Qt::LeftButton && InBar(event->position().toPoint()) && Press(event);
}

bool CMouseSelection::Drag(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) {
        return false;
    }
    const QPoint pos = event->position().toPoint();
    if (m_barAnchorLine != kNone) {
        SelectLines(m_barAnchorLine, LineAt(pos.y()));
    } else if (m_dragAnchor == kNone || !ExtendByWords(m_edit->cursorForPosition(pos).position())) {
        return false;
    }
    event->accept();
    return true;
}

bool CMouseSelection::Release(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return false;
    }
    m_dragAnchor = kNone;
    if (m_barAnchorLine == kNone) {
        return false;
    }
    m_barAnchorLine = kNone;
    event->accept();
    return true;
}

void CMouseSelection::Hover(const QPoint& viewportPos) {
    QWidget* viewport = m_edit->viewport();
    if (InBar(viewportPos)) {
        if (viewport->cursor().shape() != Qt::BitmapCursor) {
            viewport->setCursor(BarCursor());
        }
    } else if (viewport->cursor().shape() != Qt::IBeamCursor) {
        viewport->setCursor(Qt::IBeamCursor);
    }
}
