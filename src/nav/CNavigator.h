#pragma once
// The view's navigation: go to top, end, a line or a label, and the cursor
// position memory. Acts on the view's edit control; every far move goes
// through JumpToPosition.

#include <QList>
#include <QString>
#include <optional>

#include "nav/CMarkHistory.h"

class CEditControl;
class CKeywordTable;

class CNavigator {
public:
    // A label as the go-to-label dialog lists it.
    struct Label {
        QString name;
        int line = 0;  // one-based
    };

    // `words` is the view's word list: labels are listed only when it gives
    // them a color.
    CNavigator(CEditControl& ctrl, const CKeywordTable& words);

    // Caret to the start of the text.
    void OnCursorTop();
    // Caret to the start of the last line (not the end of the text).
    void OnCursorEnd();
    // Asks for a line number and jumps to the start of that line.
    void OnCursorLine();
    // Offers the script's labels and jumps to the one picked or typed.
    void OnCursorLabel();

    // Makes (start, end) the selection, with its line at the top of the
    // window when enough text follows it; painted once, at the end.
    void JumpToPosition(int start, int end);
    // Remembers the selection and jumps to the first line whose label name
    // equals `name` (ASCII letters compared without case); tells the user
    // when there is none.
    void GotoLabel(const QString& name);

    void OnCursorMark();
    void OnCursorBack();
    void OnCursorForward();

    // Every label line of the text, in text order.
    QList<Label> CollectLabels() const;

    const CMarkHistory& Marks() const { return m_marks; }

private:
    // The label name that `line` defines, read from its first
    // linescan::kMaxLineBytes bytes.
    std::optional<QString> LabelNameOfLine(int line) const;

    CEditControl& m_ctrl;
    const CKeywordTable& m_words;
    CMarkHistory m_marks;
};
