#pragma once
// The plain-text layout of the editor view with room below every line: some
// faces draw the underscore and descenders below the line box their metrics
// give, where the next line's repaint would wipe them out. The extra height
// is part of each line's own box, so its ink is painted with it.

#include <QPlainTextDocumentLayout>

class CLineBoxLayout : public QPlainTextDocumentLayout {
    Q_OBJECT
public:
    explicit CLineBoxLayout(QTextDocument* document);

    // Pixels added below every line.
    void SetExtraHeight(int pixels);
    int ExtraHeight() const { return m_extraHeight; }

    QRectF blockBoundingRect(const QTextBlock& block) const override;

private:
    int m_extraHeight = 0;
};
