#pragma once
// The plain-text layout of the editor view with room below every line: some
// faces draw the underscore and descenders below the line box their metrics
// give, where the next line's repaint would wipe them out. The extra height
// is part of each line's own box, so its ink is painted with it.

#include <QPlainTextDocumentLayout>
#include <functional>

class CLineBoxLayout : public QPlainTextDocumentLayout {
    Q_OBJECT
public:
    explicit CLineBoxLayout(QTextDocument* document);

    // Pixels added below every line.
    void SetExtraHeight(int pixels);
    int ExtraHeight() const { return m_extraHeight; }

    QRectF blockBoundingRect(const QTextBlock& block) const override;

    // While on, what the document reports as changed is taken to be new
    // layout formats of lines whose layouts were already dropped with
    // them: nothing more is laid out or repainted for it.
    void SetFormatsOnly(bool on) { m_formatsOnly = on; }
    // Called with each change the document reports, before the lines it
    // touched are laid out again (empty: nothing).
    using ChangeHook = std::function<void(int from, int charsRemoved, int charsAdded)>;
    void SetChangeHook(ChangeHook hook) { m_changeHook = std::move(hook); }

protected:
    void documentChanged(int from, int charsRemoved, int charsAdded) override;

private:
    int m_extraHeight = 0;
    bool m_formatsOnly = false;
    ChangeHook m_changeHook;
};
