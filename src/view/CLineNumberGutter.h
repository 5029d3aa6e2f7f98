#pragma once
// The line numbers at the left edge of the editor, left of the selection
// bar: a strip in the text's face and size with the number of every line on
// screen, the caret's line brighter. Hidden until shown.
//
// It paints only what changed on screen: the lines scrolled into view,
// everything when the number of lines, the caret's line, the face or the
// size changes; an edit within a line paints nothing of it. A click on it selects
// the line, a drag whole lines, as in the selection bar.

#include <QColor>
#include <QPixmap>
#include <QWidget>
#include <array>
#include <functional>

class QPlainTextEdit;

class CLineNumberGutter : public QWidget {
    Q_OBJECT
public:
    // `setMargin` gives the text room at its left edge (0 while hidden);
    // `selectLines` selects lines `from` to `to` whole.
    CLineNumberGutter(QPlainTextEdit* edit, std::function<void(int width)> setMargin,
                      std::function<void(int from, int to)> selectLines);

    void SetShown(bool shown);
    bool IsShown() const { return m_shown; }

    // Width for the current face, size and number of lines: room for the
    // digits of the last line's number (at least kMinDigits) and half a
    // digit on either side.
    int GutterWidth() const;
    static constexpr int kMinDigits = 3;

    static constexpr QColor kBackground{24, 24, 24};
    static constexpr QColor kNumber{120, 120, 120};
    static constexpr QColor kCaretNumber{240, 240, 240};

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Width, room beside the text and place beside the text area, anew.
    void Relayout();
    // Beside the text area, as high as it.
    void FollowTextArea();
    void OnUpdateRequest(const QRect& rect, int dy);
    void OnCaretMoved();
    // The line at height `y` (the text area's coordinates).
    int LineAt(int y) const;
    void CacheDigits();

    QPlainTextEdit* m_edit;
    std::function<void(int)> m_setMargin;
    std::function<void(int, int)> m_selectLines;
    bool m_shown = false;
    int m_margin = 0;  // the room given beside the text
    int m_caretLine = 0;
    // The first line on screen that the numbers show or are about to show.
    int m_paintedTop = 0;
    static constexpr int kNoLine = -1;
    int m_dragAnchor = kNoLine;
    // The digits 0-9 in the number color and the caret's, drawn in the
    // face and size of the text until they change.
    std::array<std::array<QPixmap, 10>, 2> m_digits;
    qreal m_digitAdvance = 0;
    qreal m_digitAscent = 0;
};
