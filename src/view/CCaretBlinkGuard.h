#pragma once
// Keeps an idle editor idle when a line is very long. Each caret blink
// measures the caret's line and repaints around it, and for a line of
// megabytes that means shaping all of it twice a second. While the editor
// has the focus and the caret's line or a line on screen is that long, the
// caret stops blinking and stays shown; it blinks again as soon as no such
// line is involved or the focus goes elsewhere.

#include <QObject>

class QPlainTextEdit;

class CCaretBlinkGuard : public QObject {
    Q_OBJECT
public:
    // Lines longer than this many characters stop the blinking.
    static constexpr int kLongLineChars = 10000;

    // Watches `edit` for as long as it lives.
    explicit CCaretBlinkGuard(QPlainTextEdit* edit);
    ~CCaretBlinkGuard() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Starts or stops holding the caret steady as the text, the caret, the
    // scroll position and the focus now require.
    void Update();
    bool LongLineInvolved() const;
    void SetSteady(bool steady);

    QPlainTextEdit* m_edit;
    bool m_steady = false;
    // The blink interval to give back when the caret blinks again.
    int m_flashTime = 0;
};
