#include "nav/CNavigator.h"

#include <QApplication>
#include <QPlainTextEdit>

#include "edit/CEditControl.h"
#include "nav/CLabelDlg.h"
#include "nav/CLineDlg.h"
#include "res/Messages.h"
#include "script/CKeywordTable.h"
#include "script/LabelLine.h"
#include "script/LineScanner.h"
#include "text/AsciiCase.h"

CNavigator::CNavigator(CEditControl& ctrl, const CKeywordTable& words)
    : m_ctrl(ctrl), m_words(words) {}

void CNavigator::OnCursorTop() {
    m_ctrl.SetSel(0, 0);
    m_ctrl.ScrollCaret();
}

void CNavigator::OnCursorEnd() {
    const int pos = m_ctrl.LineIndex(m_ctrl.GetLineCount() - 1);
    m_ctrl.SetSel(pos, pos);
    m_ctrl.ScrollCaret();
}

void CNavigator::JumpToPosition(int start, int end) {
    m_ctrl.SetRedraw(false);
    // Coming from the last line, the control scrolls backwards to the
    // target, which so becomes the top line of the window.
    OnCursorEnd();
    m_ctrl.SetSel(start, end);
    m_ctrl.ScrollCaret();
    m_ctrl.SetRedraw(true);
    m_ctrl.InvalidateAll();
}

void CNavigator::OnCursorLine() {
    CLineDlg dlg(m_ctrl.Widget()->window());
    if (dlg.DoModal() != IDOK) {
        return;
    }
    // Line 0 (nothing usable entered) means the last line; a line past the
    // end has no start (-1), which leaves the caret on the last line.
    const int line = dlg.m_line - 1;
    const int pos = line < 0 ? m_ctrl.LineIndex(m_ctrl.GetLineCount() - 1) : m_ctrl.LineIndex(line);
    JumpToPosition(pos, pos);
}

std::optional<QString> CNavigator::LabelNameOfLine(int line) const {
    linescan::LabelNameRange range;
    if (!linescan::FindLabelName(m_ctrl.GetLine(line, linescan::kMaxLineBytes), &range,
                                 m_ctrl.GetEncoding())) {
        return std::nullopt;
    }
    return m_ctrl.TextOfBytes(line, range.begin, range.end);
}

QList<CNavigator::Label> CNavigator::CollectLabels() const {
    QList<Label> labels;
    const int count = m_ctrl.GetLineCount();
    for (int line = 0; line < count; ++line) {
        if (std::optional<QString> name = LabelNameOfLine(line)) {
            labels.append({*name, line + 1});
        }
    }
    return labels;
}

void CNavigator::OnCursorLabel() {
    CLabelDlg dlg(m_ctrl.Widget()->window());
    // Labels are listed only when the word list gives them a color.
    if (m_words.Contains("*")) {
        for (const Label& label : CollectLabels()) {
            dlg.m_labels.append(label.name);
            dlg.m_lines.append(label.line);
        }
    }
    if (dlg.DoModal() == IDOK) {
        GotoLabel(dlg.m_label);
    }
}

void CNavigator::GotoLabel(const QString& name) {
    const int count = m_ctrl.GetLineCount();
    for (int line = 0; line < count; ++line) {
        const std::optional<QString> label = LabelNameOfLine(line);
        if (label && ascii::EqualsIgnoringCase(*label, name)) {
            OnCursorMark();
            const int pos = m_ctrl.LineIndex(line);
            JumpToPosition(pos, pos);
            return;
        }
    }
    msg::Plain(m_ctrl.Widget(), QString::fromUtf8(msg::kLabelNotFound));
}

void CNavigator::OnCursorMark() {
    const auto [start, end] = m_ctrl.GetSel();
    m_marks.Mark({start, end});
}

void CNavigator::OnCursorBack() {
    CMarkHistory::Selection sel;
    if (m_marks.Back(&sel)) {
        JumpToPosition(sel.start, sel.end);
    } else {
        QApplication::beep();
    }
}

void CNavigator::OnCursorForward() {
    CMarkHistory::Selection sel;
    if (m_marks.Forward(&sel)) {
        JumpToPosition(sel.start, sel.end);
    } else {
        QApplication::beep();
    }
}
