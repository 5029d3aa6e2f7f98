#include "edit/CEditControl.h"

#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

#include "text/Utf16.h"

CEditControl::CEditControl(QPlainTextEdit* edit) : m_edit(edit) {}

QTextBlock CEditControl::BlockOfLine(int line) const {
    if (line < 0) {
        return m_edit->textCursor().block();
    }
    return m_edit->document()->findBlockByNumber(line);
}

int CEditControl::GetLineCount() const {
    return m_edit->document()->blockCount();
}

int CEditControl::LineIndex(int line) const {
    const QTextBlock b = BlockOfLine(line);
    return b.isValid() ? b.position() : -1;
}

int CEditControl::LineFromChar(int pos) const {
    if (pos < 0) {
        return m_edit->textCursor().blockNumber();
    }
    const QTextBlock b = m_edit->document()->findBlock(pos);
    return b.isValid() ? b.blockNumber() : GetLineCount() - 1;
}

QByteArray CEditControl::GetLine(int line, int maxBytes) const {
    const QTextBlock b = BlockOfLine(line);
    if (!b.isValid()) {
        return {};
    }
    return ReadLine(b, maxBytes).bytes;
}

CEditControl::LineRead CEditControl::ReadLine(const QTextBlock& block, int maxBytes) const {
    LineRead line{block, block.text(), {}};
    if (maxBytes > 0) {
        // Every character takes at least one byte and at most two UTF-16
        // units, so this prefix always holds the first maxBytes bytes.
        line.bytes =
            textenc::EncodeLossy(QStringView(line.text).left(2 * qsizetype(maxBytes)), m_encoding);
        line.bytes.truncate(maxBytes);
    }
    return line;
}

void CEditControl::PositionsFromBytes(const LineRead& line, std::span<int> offsets) const {
    const int base = line.block.position();
    const QString& text = line.text;
    qsizetype i = 0;  // UTF-16 index of the next character
    int bytes = 0;    // bytes of the characters before it
    for (int& offset : offsets) {
        if (offset < bytes) {
            i = 0;
            bytes = 0;
        }
        while (i < text.size()) {
            int units = 1;
            const char16_t unit = text.at(i).unicode();
            // An ASCII character is one byte; only others need the table.
            const int len = unit < 0x80 ? 1
                                        : textenc::EncodedLength(
                                              utf16::CodePointAt(text, int(i), &units), m_encoding);
            if (bytes + len > offset) {
                break;
            }
            bytes += len;
            i += units;
        }
        offset = base + int(i);
    }
}

int CEditControl::PositionFromByte(int line, int byteOffset) const {
    const QTextBlock b = BlockOfLine(line);
    if (!b.isValid()) {
        return -1;
    }
    int offset = byteOffset;
    PositionsFromBytes(LineRead{b, b.text(), {}}, std::span<int>(&offset, 1));
    return offset;
}

int CEditControl::ByteFromPosition(int pos) const {
    const QTextBlock b = m_edit->document()->findBlock(std::max(pos, 0));
    if (!b.isValid()) {
        return 0;
    }
    const QString text = b.text();
    const int end = std::clamp(pos - b.position(), 0, int(text.size()));
    int bytes = 0;
    for (int i = 0; i < end;) {
        int units = 1;
        const char16_t unit = text.at(i).unicode();
        bytes += unit < 0x80
                     ? 1
                     : textenc::EncodedLength(utf16::CodePointAt(text, i, &units), m_encoding);
        i += units;
    }
    return bytes;
}

QString CEditControl::TextOfBytes(int line, int begin, int end) const {
    const QTextBlock b = BlockOfLine(line);
    if (!b.isValid()) {
        return {};
    }
    const int from = PositionFromByte(line, begin) - b.position();
    const int to = PositionFromByte(line, end) - b.position();
    return b.text().mid(from, to - from);
}

QTextDocument* CEditControl::Document() const {
    return m_edit->document();
}

CEditControl::Selection CEditControl::GetSel() const {
    const QTextCursor c = m_edit->textCursor();
    return {c.selectionStart(), c.selectionEnd()};
}

int CEditControl::ClampPosition(int pos) const {
    const int length = GetTextLength();
    return pos < 0 ? length : std::min(pos, length);
}

void CEditControl::SetSel(int start, int end) {
    QTextCursor c = m_edit->textCursor();
    if (start < 0) {
        c.clearSelection();
    } else {
        c.setPosition(ClampPosition(start));
        c.setPosition(ClampPosition(end), QTextCursor::KeepAnchor);
    }
    m_edit->setTextCursor(c);
}

bool CEditControl::IsSel(int start, int end) const {
    const QTextCursor c = m_edit->textCursor();
    return start >= 0 && c.anchor() == ClampPosition(start) && c.position() == ClampPosition(end);
}

void CEditControl::ReplaceSel(const QString& text) {
    QTextCursor c = m_edit->textCursor();
    c.insertText(text);
    m_edit->setTextCursor(c);
}

QString CEditControl::GetSelText() const {
    QString s = m_edit->textCursor().selectedText();
    s.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return s;
}

int CEditControl::GetTextLength() const {
    return m_edit->document()->characterCount() - 1;
}

void CEditControl::SetRedraw(bool on) {
    m_edit->viewport()->setUpdatesEnabled(on);
}

bool CEditControl::IsRedrawOn() const {
    return m_edit->viewport()->updatesEnabled();
}

void CEditControl::ScrollCaret() {
    m_edit->ensureCursorVisible();
}

int CEditControl::GetHScrollPos() const {
    return m_edit->horizontalScrollBar()->value();
}

QPoint CEditControl::PosFromChar(int pos) const {
    QTextCursor c(m_edit->document());
    c.setPosition(std::clamp(pos, 0, GetTextLength()));
    return m_edit->cursorRect(c).topLeft();
}

void CEditControl::InvalidateAll() {
    m_edit->viewport()->update();
}

void CEditControl::InvalidateBand(int top, int bottom) {
    const QRect r = m_edit->viewport()->rect();
    m_edit->viewport()->update(QRect(r.left(), top, r.width(), std::max(bottom - top, 1)));
}

void CEditControl::InvalidateLines(int first, int last) {
    const int count = GetLineCount();
    first = std::clamp(first, 0, count - 1);
    last = std::clamp(last, first, count - 1);
    QTextDocument* doc = m_edit->document();
    const int lastHeight =
        int(doc->documentLayout()->blockBoundingRect(doc->findBlockByNumber(last)).height());
    const int top = PosFromChar(LineIndex(first)).y();
    const int lastTop = last == first ? top : PosFromChar(LineIndex(last)).y();
    InvalidateBand(top, lastTop + lastHeight);
}

CEditControl::LineRange CEditControl::GetVisibleLinesCheaply() const {
    // The text never wraps, so the vertical scroll position counts lines.
    const QTextBlock top =
        m_edit->document()->findBlockByLineNumber(m_edit->verticalScrollBar()->value());
    const int first = top.isValid() ? top.blockNumber() : 0;
    const int spacing = std::max(QFontMetrics(m_edit->font()).lineSpacing(), 1);
    const int shown = m_edit->viewport()->height() / spacing + 2;
    return {first, std::min(first + shown, GetLineCount() - 1)};
}
