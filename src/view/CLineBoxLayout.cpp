#include "view/CLineBoxLayout.h"

#include <QTextBlock>
#include <QTextDocument>

CLineBoxLayout::CLineBoxLayout(QTextDocument* document) : QPlainTextDocumentLayout(document) {}

void CLineBoxLayout::SetExtraHeight(int pixels) {
    if (pixels == m_extraHeight) {
        return;
    }
    m_extraHeight = pixels;
    // Every line's box changes: the whole document is laid out again.
    requestUpdate();
    emit documentSizeChanged(documentSize());
}

QRectF CLineBoxLayout::blockBoundingRect(const QTextBlock& block) const {
    QRectF rect = QPlainTextDocumentLayout::blockBoundingRect(block);
    if (!rect.isEmpty()) {
        rect.setHeight(rect.height() + m_extraHeight);
    }
    return rect;
}

void CLineBoxLayout::documentChanged(int from, int charsRemoved, int charsAdded) {
    if (m_formatsOnly) {
        return;
    }
    if (m_changeHook) {
        m_changeHook(from, charsRemoved, charsAdded);
    }
    QPlainTextDocumentLayout::documentChanged(from, charsRemoved, charsAdded);
}
