#include "nav/CNavigator.h"

#include <QApplication>
#include <QMessageBox>
#include <QTextBlock>
#include <QTextDocument>

#include "nav/CLabelDlg.h"
#include "nav/CLineDlg.h"
#include "nav/LabelLine.h"
#include "view/CQuillView.h"

namespace {

// How much of a line the label rule looks at, for listing and for jumping
// alike, so that every listed label can be reached.
constexpr int kLabelReadBytes = 254;

QChar AsciiLower(QChar c) {
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ? QChar(c.unicode() + ('a' - 'A')) : c;
}

// Whole-string equality with ASCII letters compared without case; every
// other character must match exactly.
bool EqualsIgnoringAsciiCase(const QString& a, const QString& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (AsciiLower(a.at(i)) != AsciiLower(b.at(i))) {
            return false;
        }
    }
    return true;
}

}  // namespace

CNavigator::CNavigator(CQuillView* view) : m_view(view) {}

void CNavigator::OnCursorTop() {
    CEditControl& ctrl = m_view->Ctrl();
    ctrl.SetSel(0, 0);
    ctrl.ScrollCaret();
}

void CNavigator::OnCursorEnd() {
    CEditControl& ctrl = m_view->Ctrl();
    const int pos = ctrl.LineIndex(ctrl.GetLineCount() - 1);
    ctrl.SetSel(pos, pos);
    ctrl.ScrollCaret();
}

void CNavigator::JumpToPosition(int start, int end) {
    CEditControl& ctrl = m_view->Ctrl();
    ctrl.SetRedraw(false);
    // Coming from the last line, the control scrolls backwards to the
    // target, which so becomes the top line of the window.
    OnCursorEnd();
    ctrl.SetSel(start, end);
    ctrl.ScrollCaret();
    ctrl.SetRedraw(true);
    ctrl.InvalidateAll();
}

void CNavigator::OnCursorLine() {
    CLineDlg dlg(m_view->window());
    if (dlg.DoModal() != IDOK) {
        return;
    }
    CEditControl& ctrl = m_view->Ctrl();
    // Line 0 (nothing usable entered) means the last line; a line past the
    // end has no start (-1), which leaves the caret on the last line.
    const int line = dlg.m_line - 1;
    const int pos = line < 0 ? ctrl.LineIndex(ctrl.GetLineCount() - 1) : ctrl.LineIndex(line);
    JumpToPosition(pos, pos);
}

std::optional<QString> CNavigator::LabelNameOfLine(int line) const {
    const CEditControl& ctrl = m_view->Ctrl();
    nav::LabelNameRange range;
    if (!nav::FindLabelName(ctrl.GetLine(line, kLabelReadBytes), &range)) {
        return std::nullopt;
    }
    // The name is the text of its character range, so that two-byte
    // characters come out as the characters they are.
    const QTextBlock block = m_view->document()->findBlockByNumber(line);
    const int begin = ctrl.PositionFromByte(line, range.begin) - block.position();
    const int end = ctrl.PositionFromByte(line, range.end) - block.position();
    return block.text().mid(begin, end - begin);
}

QList<CNavigator::Label> CNavigator::CollectLabels() const {
    QList<Label> labels;
    const int count = m_view->Ctrl().GetLineCount();
    for (int line = 0; line < count; ++line) {
        if (std::optional<QString> name = LabelNameOfLine(line)) {
            labels.append({*name, line + 1});
        }
    }
    return labels;
}

void CNavigator::OnCursorLabel() {
    CLabelDlg dlg(m_view->window());
    // Labels are listed only when the word list gives them a color.
    if (m_view->KeywordTable().Contains("*")) {
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
    CEditControl& ctrl = m_view->Ctrl();
    const int count = ctrl.GetLineCount();
    for (int line = 0; line < count; ++line) {
        const std::optional<QString> label = LabelNameOfLine(line);
        if (label && EqualsIgnoringAsciiCase(*label, name)) {
            OnCursorMark();
            const int pos = ctrl.LineIndex(line);
            JumpToPosition(pos, pos);
            return;
        }
    }
    ShowMessage(QStringLiteral("ラベルが見つかりません。"));
}

void CNavigator::OnCursorMark() {
    int start = 0;
    int end = 0;
    m_view->Ctrl().GetSel(&start, &end);
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

void CNavigator::ShowMessage(const QString& text) const {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("QUILL"), text, QMessageBox::Ok, m_view);
    box.exec();
}
