#include "view/CLineNumberGutter.h"

#include <QAbstractTextDocumentLayout>
#include <QGlyphRun>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <algorithm>

namespace {

int DigitsOf(int number) {
    int digits = 1;
    for (; number >= 10; number /= 10) {
        ++digits;
    }
    return digits;
}

}  // namespace

CLineNumberGutter::CLineNumberGutter(QPlainTextEdit* edit, std::function<void(int)> setMargin,
                                     std::function<void(int, int)> selectLines)
    : QWidget(edit),
      m_edit(edit),
      m_setMargin(std::move(setMargin)),
      m_selectLines(std::move(selectLines)) {
    hide();
    // Painted whole by paintEvent: a scroll moves its pixels.
    setAttribute(Qt::WA_OpaquePaintEvent);
    edit->viewport()->installEventFilter(this);
    connect(edit, &QPlainTextEdit::updateRequest, this, &CLineNumberGutter::OnUpdateRequest);
    connect(edit, &QPlainTextEdit::cursorPositionChanged, this, &CLineNumberGutter::OnCaretMoved);
    connect(edit, &QPlainTextEdit::blockCountChanged, this, [this]() {
        if (m_shown) {
            Relayout();
            update();
        }
    });
}

void CLineNumberGutter::SetShown(bool shown) {
    if (shown == m_shown) {
        return;
    }
    m_shown = shown;
    m_caretLine = m_edit->textCursor().blockNumber();
    Relayout();
    setVisible(shown);
}

int CLineNumberGutter::GutterWidth() const {
    const int digits = std::max(kMinDigits, DigitsOf(m_edit->blockCount()));
    return (digits + 1) * fontMetrics().horizontalAdvance(u'9');
}

void CLineNumberGutter::Relayout() {
    const int width = m_shown ? GutterWidth() : 0;
    if (width != m_margin) {
        m_margin = width;
        m_setMargin(width);
    }
    FollowTextArea();
}

void CLineNumberGutter::FollowTextArea() {
    const QRect area = m_edit->viewport()->geometry();
    setGeometry(area.left() - m_margin, area.top(), m_margin, area.height());
}

bool CLineNumberGutter::eventFilter(QObject* watched, QEvent* event) {
    // The text area moves and changes size with the room given to it and
    // with the scroll bars; the strip stays beside it.
    if (!m_shown) {
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() == QEvent::Resize || event->type() == QEvent::Move) {
        FollowTextArea();
    } else if (event->type() == QEvent::Paint &&
               m_edit->verticalScrollBar()->value() != m_paintedTop) {
        // The text scrolled while it was not painted (a jump with painting
        // off): the numbers follow once it is painted again.
        update();
    }
    return QWidget::eventFilter(watched, event);
}

void CLineNumberGutter::changeEvent(QEvent* event) {
    // The view's face and size reach the strip as its own.
    if (event->type() == QEvent::FontChange) {
        m_digitFont = QRawFont();
    }
    if (event->type() == QEvent::FontChange && m_shown) {
        Relayout();
        update();
    }
    QWidget::changeEvent(event);
}

void CLineNumberGutter::OnUpdateRequest(const QRect& rect, int dy) {
    if (!m_shown) {
        return;
    }
    // A band of the text repainted (an edit within a line, the caret's
    // blink) keeps its number; the lines move only with a scroll or a
    // change of the number of lines.
    if (dy != 0) {
        scroll(0, dy);
    } else if (rect.height() >= m_edit->viewport()->height()) {
        update();
    } else {
        return;
    }
    m_paintedTop = m_edit->verticalScrollBar()->value();
}

void CLineNumberGutter::OnCaretMoved() {
    if (!m_shown) {
        return;
    }
    const int line = m_edit->textCursor().blockNumber();
    if (line != m_caretLine) {
        m_caretLine = line;
        update();
    }
}

void CLineNumberGutter::CacheDigits() {
    // The digits' glyphs, placed by hand: a number costs no text shaping.
    m_digitFont = QRawFont::fromFont(font());
    const QList<quint32> glyphs = m_digitFont.glyphIndexesForString(QStringLiteral("0123456789"));
    std::copy_n(glyphs.begin(), std::min<qsizetype>(glyphs.size(), 10), m_digitGlyphs.begin());
    m_digitAdvance = fontMetrics().horizontalAdvance(u'9');
}

void CLineNumberGutter::paintEvent(QPaintEvent* event) {
    const QRect dirty = event->rect();
    m_paintedTop = m_edit->verticalScrollBar()->value();
    QPainter painter(this);
    painter.fillRect(dirty, kBackground);
    if (m_digitFont.pixelSize() == 0) {
        CacheDigits();
    }
    const QAbstractTextDocumentLayout* layout = m_edit->document()->documentLayout();
    const qreal right = width() - m_digitAdvance / 2;
    const int caretLine = m_edit->textCursor().blockNumber();
    QTextBlock block = m_edit->cursorForPosition(QPoint(0, dirty.top())).block();
    qreal top = m_edit->cursorRect(QTextCursor(block)).top();
    // The numbers as two runs of glyphs: the caret's line and the others.
    QList<quint32> glyphs[2];
    QList<QPointF> positions[2];
    for (int line = block.blockNumber(); block.isValid() && top <= dirty.bottom();
         block = block.next(), ++line) {
        const qreal height = layout->blockBoundingRect(block).height();
        if (top + height > dirty.top()) {
            const QTextLine text = block.layout()->lineAt(0);
            const qreal baseline = top + (text.isValid() ? text.ascent() : m_digitFont.ascent());
            const int run = line == caretLine ? 1 : 0;
            qreal x = right;
            for (int number = line + 1; number > 0; number /= 10) {
                x -= m_digitAdvance;
                glyphs[run].append(m_digitGlyphs[number % 10]);
                positions[run].append(QPointF(x, baseline));
            }
        }
        top += height;
    }
    for (const int run : {0, 1}) {
        if (glyphs[run].isEmpty()) {
            continue;
        }
        QGlyphRun numbers;
        numbers.setRawFont(m_digitFont);
        numbers.setGlyphIndexes(glyphs[run]);
        numbers.setPositions(positions[run]);
        painter.setPen(run == 1 ? kCaretNumber : kNumber);
        painter.drawGlyphRun(QPointF(), numbers);
    }
}

int CLineNumberGutter::LineAt(int y) const {
    return m_edit->cursorForPosition(QPoint(0, y)).blockNumber();
}

void CLineNumberGutter::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    m_dragAnchor = LineAt(event->position().toPoint().y());
    m_selectLines(m_dragAnchor, m_dragAnchor);
    m_edit->setFocus(Qt::MouseFocusReason);
}

void CLineNumberGutter::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragAnchor != kNoLine && (event->buttons() & Qt::LeftButton)) {
        m_selectLines(m_dragAnchor, LineAt(event->position().toPoint().y()));
    }
}

void CLineNumberGutter::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_dragAnchor = kNoLine;
    }
}
