#include "view/CQuillView.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <algorithm>

#include "app/ExePath.h"
#include "res/CommandIds.h"
#include "view/CSyntaxColorer.h"
#include "view/KeywordColors.h"

CQuillView::CQuillView(QWidget* parent) : QPlainTextEdit(parent), m_ctrl(this) {
    setLineWrapMode(QPlainTextEdit::NoWrap);
    document()->setUndoRedoEnabled(false);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, Qt::black);
    pal.setColor(QPalette::Text, Qt::white);
    setPalette(pal);
    setAcceptDrops(true);
    // Record 0 is also the default format: text that no recoloring has
    // reached shows white in the fixed face.
    const QFont face = keywordcolors::FixedFace();
    m_cfColors = keywordcolors::BuildFormats(face);
    setFont(face);
    LoadKeywordTable();
    m_colorer = std::make_unique<CSyntaxColorer>(m_ctrl, m_mapKeywords, m_cfColors);
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
        default:
            return false;
    }
}

void CQuillView::LoadKeywordTable() {
    if (m_mapKeywords.Load(ExeRelativePath(QStringLiteral("QUILL.DAT")))) {
        return;
    }
    // Shown while the view is made, before the main window exists.
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("QUILL"),
                    QStringLiteral("QUILL.DAT ファイルにアクセス出来ません。"), QMessageBox::Ok);
    box.exec();
}

void CQuillView::RecolorAll() {
    m_colorer->RecolorAll();
}

void CQuillView::RecolorLines(int first, int last, int selStart, int selEnd, int redraw) {
    m_colorer->RecolorLines(first, last, selStart, selEnd, redraw);
}

void CQuillView::ReplaceSelAndRecolor(const QString* text, int mode) {
    int s0 = 0;
    int e0 = 0;
    m_ctrl.GetSel(&s0, &e0);
    const int t0 = m_ctrl.GetTextLength();
    if (text) {
        m_ctrl.ReplaceSel(*text);
    } else {
        paste();
    }
    int s1 = 0;
    int e1 = 0;
    m_ctrl.GetSel(&s1, &e1);
    const int t1 = m_ctrl.GetTextLength();
    // e1 less the length of what was inserted: the start of the new text.
    const int inserted = s0 - e0 - t1 + e1 + t0;
    RecolorLines(m_ctrl.LineFromChar(inserted), m_ctrl.LineFromChar(e1), s1, e1,
                 mode == 1 ? CSyntaxColorer::kRedrawAll : CSyntaxColorer::kRedrawNone);
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
    int s = 0;
    int e = 0;
    m_ctrl.GetSel(&s, &e);
    const int line = m_ctrl.LineFromChar(e);
    RecolorLines(line, line, s, e, CSyntaxColorer::kRedrawAll);
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

void CQuillView::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
}

void CQuillView::mouseReleaseEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseReleaseEvent(event);
}

void CQuillView::keyPressEvent(QKeyEvent* event) {
    // Cut, paste and undo keys reach the view's own handlers, never the
    // widget's built-in ones.
    if (event->matches(QKeySequence::Paste)) {
        OnEditPaste();
    } else if (event->matches(QKeySequence::Cut)) {
        OnEditCut();
    } else if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo) ||
               (event->key() == Qt::Key_Backspace && (event->modifiers() & Qt::AltModifier))) {
        OnEditUndo();
    } else {
        OnChar(event);
        return;
    }
    event->accept();
}

void CQuillView::OnChar(QKeyEvent* event) {
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool enter = (key == Qt::Key_Return || key == Qt::Key_Enter) &&
                       !(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    const bool backspace = key == Qt::Key_Backspace;
    const QString text = event->text();
    const bool typed =
        enter || backspace || (!text.isEmpty() && (text.at(0).isPrint() || text.at(0) == u'\t'));
    if (!typed) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    const int redraw = backspace ? CSyntaxColorer::kRedrawAll : m_ctrl.GetHScrollPos();
    if (enter && (mods & Qt::ShiftModifier)) {
        // Shift+Enter would start a line inside the line; it ends the line
        // as Enter does.
        QKeyEvent plain(event->type(), key, mods & ~Qt::ShiftModifier, text, event->isAutoRepeat(),
                        event->count());
        QPlainTextEdit::keyPressEvent(&plain);
        event->setAccepted(plain.isAccepted());
    } else {
        QPlainTextEdit::keyPressEvent(event);
    }
    int s = 0;
    int e = 0;
    if (enter) {
        // The new line starts with the leading tabs of the line above (from
        // its first 31 characters).
        const int line = m_ctrl.LineFromChar(-1);
        const QByteArray above = m_ctrl.GetLine(line - 1, 31);
        int tabs = 0;
        while (tabs < above.size() && above.at(tabs) == '\t') {
            ++tabs;
        }
        if (tabs > 0) {
            m_ctrl.ReplaceSel(QString(tabs, u'\t'));
        }
        m_ctrl.GetSel(&s, &e);
        RecolorLines(line - 1, line, s, e, redraw);
    } else {
        m_ctrl.GetSel(&s, &e);
        const int line = m_ctrl.LineFromChar(e);
        RecolorLines(line, line, s, e, redraw);
    }
}

void CQuillView::keyReleaseEvent(QKeyEvent* event) {
    QPlainTextEdit::keyReleaseEvent(event);
    // Delete removes on key press inside the control; its line is
    // recolored on release.
    if (event->key() == Qt::Key_Delete) {
        int s = 0;
        int e = 0;
        m_ctrl.GetSel(&s, &e);
        const int line = m_ctrl.LineFromChar(e);
        RecolorLines(line, line, s, e, CSyntaxColorer::kRedrawAll);
    }
}

void CQuillView::inputMethodEvent(QInputMethodEvent* event) {
    // Text committed by an input method (how Japanese is typed) is a typed
    // character like any other; a pre-edit string is not in the text yet.
    if (event->commitString().isEmpty()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    const int redraw = m_ctrl.GetHScrollPos();
    int s = 0;
    int e = 0;
    m_ctrl.GetSel(&s, &e);
    const int start = s;
    QPlainTextEdit::inputMethodEvent(event);
    m_ctrl.GetSel(&s, &e);
    const int last = m_ctrl.LineFromChar(e);
    RecolorLines(std::min(m_ctrl.LineFromChar(start), last), last, s, e, redraw);
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
