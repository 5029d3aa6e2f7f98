#include "view/CQuillView.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QTextBlock>
#include <QTextCursor>

#include "app/CMainFrame.h"
#include "res/CMenuBuilder.h"
#include "res/CommandIds.h"
#include "res/CommandTable.h"

CQuillView::CQuillView(QWidget* parent) : QPlainTextEdit(parent), m_ctrl(this) {
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

// A command chosen in the view (context menu, a table key that reached the
// view) goes the way a menu command goes: through the frame's routing, or to
// the view itself when it is not in a frame.
static void RouteViewCommand(CQuillView* view, int id) {
    if (auto* frame = qobject_cast<CMainFrame*>(view->window())) {
        frame->DispatchCommand(id);
    } else {
        view->OnCommand(id);
    }
}

void CQuillView::contextMenuEvent(QContextMenuEvent* event) {
    // The view's own menu opens on the right button's release; the text
    // widget's standard one never shows.
    event->accept();
}

void CQuillView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        QPointer<CQuillView> self(this);
        // Owned by the window (for its look), deleted here after use.
        QPointer<QMenu> menu(CMenuBuilder::BuildContextMenu(window()));
        QAction* chosen = menu->exec(event->globalPosition().toPoint());
        const int id = menu ? CMenuBuilder::CommandOf(chosen) : 0;
        delete menu;
        if (!self) {
            return;
        }
        if (id != 0) {
            RouteViewCommand(this, id);
        }
    }
    QPlainTextEdit::mouseReleaseEvent(event);
}

void CQuillView::keyPressEvent(QKeyEvent* event) {
    QPlainTextEdit::keyPressEvent(event);
}

bool CQuillView::event(QEvent* event) {
    // The window's accelerators win over the text widget's own key bindings
    // (its built-in cut, paste and undo among them): a table key is not
    // claimed here, so the window's action runs. Should the key still arrive
    // (no frame around the view), it is routed as its command.
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        const int id = res::AcceleratorCommand(static_cast<QKeyEvent*>(event)->keyCombination());
        if (id != 0) {
            if (event->type() == QEvent::ShortcutOverride) {
                event->ignore();
            } else {
                event->accept();
                RouteViewCommand(this, id);
            }
            return true;
        }
    }
    return QPlainTextEdit::event(event);
}

void CQuillView::dragEnterEvent(QDragEnterEvent* event) {
    QPlainTextEdit::dragEnterEvent(event);
}

void CQuillView::dropEvent(QDropEvent* event) {
    QPlainTextEdit::dropEvent(event);
}
