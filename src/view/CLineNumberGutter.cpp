#include "view/CLineNumberGutter.h"

#include <QAbstractTextDocumentLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QtMath>
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
        m_digits[0][0] = QPixmap();
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
    // Each digit drawn once in each color: a number on screen is a row of
    // copies, which costs no text shaping and no glyph drawing.
    const QFontMetricsF metrics(font());
    m_digitAdvance = metrics.horizontalAdvance(u'9');
    m_digitAscent = metrics.ascent();
    const qreal ratio = devicePixelRatioF();
    const QSize size(qCeil(m_digitAdvance * ratio) + 1, qCeil(metrics.height() * ratio));
    for (int color = 0; color < 2; ++color) {
        for (int digit = 0; digit < 10; ++digit) {
            QPixmap& image = m_digits[color][digit];
            image = QPixmap(size);
            image.setDevicePixelRatio(ratio);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            painter.setFont(font());
            painter.setPen(color == 1 ? kCaretNumber : kNumber);
            painter.drawText(QPointF(0, m_digitAscent), QString(QChar(u'0' + digit)));
        }
    }
}

void CLineNumberGutter::paintEvent(QPaintEvent* event) {
    const QRect dirty = event->rect();
    m_paintedTop = m_edit->verticalScrollBar()->value();
    QPainter painter(this);
    painter.fillRect(dirty, kBackground);
    if (m_digits[0][0].isNull()) {
        CacheDigits();
    }
    const QAbstractTextDocumentLayout* layout = m_edit->document()->documentLayout();
    const qreal right = width() - m_digitAdvance / 2;
    const int caretLine = m_edit->textCursor().blockNumber();
    // Lines never wrap, so the scroll position is the first line on screen
    // (a hit test to find it would cost as much as the numbers).
    QTextBlock block = m_edit->document()->findBlockByNumber(m_paintedTop);
    qreal top = m_edit->cursorRect(QTextCursor(block)).top();
    for (int line = block.blockNumber(); block.isValid() && top <= dirty.bottom();
         block = block.next(), ++line) {
        const qreal height = layout->blockBoundingRect(block).height();
        if (top + height > dirty.top()) {
            const QTextLine text = block.layout()->lineAt(0);
            const qreal y = top + (text.isValid() ? text.ascent() : m_digitAscent) - m_digitAscent;
            const auto& digits = m_digits[line == caretLine ? 1 : 0];
            qreal x = right;
            for (int number = line + 1; number > 0; number /= 10) {
                x -= m_digitAdvance;
                painter.drawPixmap(QPointF(qRound(x), qRound(y)), digits[number % 10]);
            }
        }
        top += height;
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
