#include "app/COutputPane.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QVBoxLayout>

#include "doc/CompileMessages.h"
#include "res/Messages.h"

namespace {

// The user state of a block that holds a note rather than printed output.
constexpr int kNoteState = 1;

QTextCharFormat NoteFormat() {
    QTextCharFormat format;
    format.setForeground(QColor(0x20, 0x40, 0xA0));
    format.setFontWeight(QFont::Bold);
    return format;
}

}  // namespace

COutputPane::COutputPane(QWidget* parent)
    : QWidget(parent),
      m_text(new QPlainTextEdit(this)),
      m_stop(new QPushButton(QString::fromUtf8(msg::kPaneStop), this)),
      m_state(new QLabel(this)) {
    m_text->setObjectName(QStringLiteral("outputText"));
    m_text->setReadOnly(true);
    m_text->setUndoRedoEnabled(false);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_text->installEventFilter(this);
    m_text->viewport()->installEventFilter(this);
    m_stop->setObjectName(QStringLiteral("outputStop"));
    m_stop->setEnabled(false);
    connect(m_stop, &QPushButton::clicked, this, &COutputPane::StopRequested);

    auto* bar = new QHBoxLayout;
    bar->addWidget(m_state);
    bar->addStretch();
    bar->addWidget(m_stop);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(bar);
    layout->addWidget(m_text);
}

void COutputPane::Begin(const QStringList& names) {
    m_names = names;
    m_mark = QTextCursor();
    m_text->setExtraSelections({});
    m_text->clear();
}

void COutputPane::AppendNote(const QString& text) {
    Append(text, true);
}

void COutputPane::AppendOutput(const QStringList& lines) {
    const qsizetype from = std::max<qsizetype>(0, lines.size() - kMaxLines);
    Append(lines.mid(from).join(u'\n'), false);
}

void COutputPane::Append(const QString& text, bool note) {
    QScrollBar* scroll = m_text->verticalScrollBar();
    const bool atEnd = scroll->value() == scroll->maximum();
    QTextDocument* document = m_text->document();
    QTextCursor cursor(document);
    cursor.movePosition(QTextCursor::End);
    const QTextCharFormat format = note ? NoteFormat() : QTextCharFormat();
    if (!document->isEmpty()) {
        cursor.insertBlock(QTextBlockFormat(), format);
    }
    cursor.insertText(text, format);
    if (note) {
        cursor.block().setUserState(kNoteState);
    }
    // The oldest lines go in one removal: the document's own limit would
    // take them one at a time, several times slower under a flood.
    const int excess = document->blockCount() - kMaxLines;
    if (excess > 0) {
        QTextCursor oldest(document);
        oldest.setPosition(document->findBlockByNumber(excess).position(), QTextCursor::KeepAnchor);
        if (!m_mark.isNull() && m_mark.blockNumber() < excess) {
            m_mark = QTextCursor();
            m_text->setExtraSelections({});
        }
        oldest.removeSelectedText();
    }
    if (atEnd) {
        scroll->setValue(scroll->maximum());
    }
}

void COutputPane::SetRunning(const QString& what) {
    m_state->setText(what);
    m_stop->setEnabled(!what.isEmpty());
}

int COutputPane::MarkedLine() const {
    return m_mark.isNull() ? -1 : m_mark.blockNumber();
}

bool COutputPane::Choose(const QTextBlock& block) {
    if (!block.isValid() || block.userState() == kNoteState) {
        return false;
    }
    const std::optional<int> line = MessageScriptLine(block.text(), m_names);
    if (!line) {
        return false;
    }
    m_mark = QTextCursor(block);
    QTextEdit::ExtraSelection marked;
    marked.cursor = m_mark;
    marked.format.setBackground(QColor(0xFF, 0xE8, 0x90));
    marked.format.setProperty(QTextFormat::FullWidthSelection, true);
    m_text->setExtraSelections({marked});
    m_text->setTextCursor(m_mark);
    m_text->ensureCursorVisible();
    emit LineChosen(*line);
    return true;
}

bool COutputPane::ChooseFrom(QTextBlock block, bool forward) {
    for (; block.isValid(); block = forward ? block.next() : block.previous()) {
        if (Choose(block)) {
            return true;
        }
    }
    return false;
}

bool COutputPane::ChooseFirst() {
    return ChooseFrom(m_text->document()->firstBlock(), true);
}

bool COutputPane::ChooseNext() {
    return m_mark.isNull() ? ChooseFirst() : ChooseFrom(m_mark.block().next(), true);
}

bool COutputPane::ChoosePrevious() {
    const QTextDocument* document = m_text->document();
    return ChooseFrom(m_mark.isNull() ? document->lastBlock() : m_mark.block().previous(), false);
}

bool COutputPane::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_text && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Choose(m_text->textCursor().block());
            return true;
        }
    }
    if (watched == m_text->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (Choose(m_text->cursorForPosition(mouse->position().toPoint()).block())) {
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
