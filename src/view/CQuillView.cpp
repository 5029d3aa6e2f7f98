#include "view/CQuillView.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>

#include "nav/CKeywordHelp.h"
#include "nav/CNavigator.h"
#include "res/CommandIds.h"

CQuillView::CQuillView(QWidget* parent)
    : QPlainTextEdit(parent),
      m_ctrl(this),
      m_nav(std::make_unique<CNavigator>(this)),
      m_help(std::make_unique<CKeywordHelp>(this)) {
    setLineWrapMode(QPlainTextEdit::NoWrap);
    document()->setUndoRedoEnabled(false);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, Qt::black);
    pal.setColor(QPalette::Text, Qt::white);
    setPalette(pal);
    setAcceptDrops(true);
}

CQuillView::~CQuillView() = default;

bool CQuillView::OnCommand(int id) {
    switch (id) {
        case cmd::ID_EDIT_UNDO:
            OnEditUndo();
            return true;
        case cmd::ID_EDIT_CUT:
            OnEditCut();
            return true;
        case cmd::ID_EDIT_COPY:
            OnEditCopy();
            return true;
        case cmd::ID_EDIT_PASTE:
            OnEditPaste();
            return true;
        case cmd::ID_EDIT_CLEAR:
            OnEditClear();
            return true;
        case cmd::ID_EDIT_SELECT_ALL:
            OnEditSelectAll();
            return true;
        case cmd::ID_CURSOR_TOP:
            OnCursorTop();
            return true;
        case cmd::ID_CURSOR_END:
            OnCursorEnd();
            return true;
        case cmd::ID_CURSOR_MARK:
            OnCursorMark();
            return true;
        case cmd::ID_CURSOR_BACK:
            OnCursorBack();
            return true;
        case cmd::ID_CURSOR_FORWARD:
            OnCursorForward();
            return true;
        case cmd::ID_CURSOR_LABEL:
            OnCursorLabel();
            return true;
        case cmd::ID_CURSOR_LINE:
            OnCursorLine();
            return true;
        case cmd::ID_HELP_KEYWORD:
            OnHelpKeyword();
            return true;
        case cmd::ID_HELP_GUIDE:
            OnHelpGuide();
            return true;
        default:
            return false;
    }
}

void CQuillView::RecolorAll() {
    m_ctrl.SetSel(0, 0);
}

void CQuillView::RecolorLines(int first, int last, int selStart, int selEnd, int redraw) {
    (void)first;
    (void)last;
    (void)redraw;
    m_ctrl.SetSel(selStart, selEnd);
}

void CQuillView::ReplaceSelAndRecolor(const QString* text, int mode) {
    (void)mode;
    if (text) {
        m_ctrl.ReplaceSel(*text);
    } else {
        paste();
    }
}

bool CQuillView::FindText(const QString& find, bool matchCase, bool wholeWord) {
    (void)find;
    (void)matchCase;
    (void)wholeWord;
    return false;
}

bool CQuillView::OnFindNext(const QString& find, bool next, bool matchCase, bool wholeWord) {
    (void)find;
    (void)next;
    (void)matchCase;
    (void)wholeWord;
    return false;
}

void CQuillView::OnReplaceSel(const QString& find, bool next, bool matchCase, bool wholeWord,
                              const QString& replace) {
    ReplaceSelAndRecolor(&replace, 1);
    OnFindNext(find, next, matchCase, wholeWord);
}

void CQuillView::OnReplaceAll(const QString& find, const QString& replace, bool matchCase,
                              bool wholeWord) {
    while (FindText(find, matchCase, wholeWord)) {
        ReplaceSelAndRecolor(&replace, 0);
    }
    m_ctrl.ScrollCaret();
    m_ctrl.SetRedraw(true);
    m_ctrl.InvalidateAll();
    m_ctrl.HideSelection(false);
}

void CQuillView::OnEditCut() {
    cut();
}
void CQuillView::OnEditPaste() {
    ReplaceSelAndRecolor(nullptr, 1);
}
void CQuillView::OnEditCopy() {
    copy();
}
void CQuillView::OnEditClear() {
    textCursor().removeSelectedText();
}
void CQuillView::OnEditSelectAll() {
    selectAll();
}

void CQuillView::OnCursorTop() { m_nav->OnCursorTop(); }
void CQuillView::OnCursorEnd() { m_nav->OnCursorEnd(); }
void CQuillView::OnCursorLine() { m_nav->OnCursorLine(); }
void CQuillView::OnCursorLabel() { m_nav->OnCursorLabel(); }
void CQuillView::OnCursorMark() { m_nav->OnCursorMark(); }
void CQuillView::OnCursorBack() { m_nav->OnCursorBack(); }
void CQuillView::OnCursorForward() { m_nav->OnCursorForward(); }
void CQuillView::OnHelpKeyword() { m_help->OnHelpKeyword(); }
void CQuillView::OnHelpGuide() { m_help->OnHelpGuide(); }
void CQuillView::JumpToPosition(int start, int end) { m_nav->JumpToPosition(start, end); }
void CQuillView::GotoLabel(const QString& name) { m_nav->GotoLabel(name); }

void CQuillView::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
}

void CQuillView::mouseReleaseEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseReleaseEvent(event);
}

void CQuillView::keyPressEvent(QKeyEvent* event) {
    QPlainTextEdit::keyPressEvent(event);
}

bool CQuillView::event(QEvent* event) {
    return QPlainTextEdit::event(event);
}

void CQuillView::dragEnterEvent(QDragEnterEvent* event) {
    QPlainTextEdit::dragEnterEvent(event);
}

void CQuillView::dropEvent(QDropEvent* event) {
    QPlainTextEdit::dropEvent(event);
}
