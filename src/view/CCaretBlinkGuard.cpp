#include "view/CCaretBlinkGuard.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStyleHints>
#include <QTextBlock>

CCaretBlinkGuard::CCaretBlinkGuard(QPlainTextEdit* edit) : QObject(edit), m_edit(edit) {
    edit->installEventFilter(this);
    connect(edit, &QPlainTextEdit::cursorPositionChanged, this, &CCaretBlinkGuard::Update);
    connect(edit, &QPlainTextEdit::textChanged, this, &CCaretBlinkGuard::Update);
    connect(edit->verticalScrollBar(), &QScrollBar::valueChanged, this, &CCaretBlinkGuard::Update);
}

CCaretBlinkGuard::~CCaretBlinkGuard() {
    SetSteady(false);
}

bool CCaretBlinkGuard::eventFilter(QObject* watched, QEvent* event) {
    // Seen before the editor handles them: the blinking starts (or not)
    // with the focus, and a resize changes which lines are on screen.
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut ||
        event->type() == QEvent::Resize) {
        Update();
    }
    return QObject::eventFilter(watched, event);
}

void CCaretBlinkGuard::Update() {
    SetSteady(m_edit->hasFocus() && LongLineInvolved());
}

bool CCaretBlinkGuard::LongLineInvolved() const {
    if (m_edit->textCursor().block().length() > kLongLineChars) {
        return true;
    }
    // Without wrapping every block is one line of one height, and the
    // scroll position counts blocks: the ones on screen follow from these.
    const int lineHeight = qMax(1, m_edit->fontMetrics().lineSpacing());
    const int onScreen = m_edit->viewport()->height() / lineHeight + 2;
    QTextBlock block = m_edit->document()->findBlockByNumber(m_edit->verticalScrollBar()->value());
    for (int i = 0; i < onScreen && block.isValid(); ++i, block = block.next()) {
        if (block.length() > kLongLineChars) {
            return true;
        }
    }
    return false;
}

void CCaretBlinkGuard::SetSteady(bool steady) {
    if (steady == m_steady) {
        return;
    }
    m_steady = steady;
    // The blink interval is the application's; text widgets follow its
    // changes at once, and only the focused one blinks. A zero interval
    // shows the caret without blinking.
    QStyleHints* hints = QGuiApplication::styleHints();
    if (steady) {
        m_flashTime = hints->cursorFlashTime();
        hints->setCursorFlashTime(0);
    } else {
        hints->setCursorFlashTime(m_flashTime);
    }
}
