#include "view/CQuillView.h"

#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMetaMethod>
#include <QMimeData>
#include <QPointer>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>
#include <algorithm>

#include "nav/CKeywordHelp.h"
#include "nav/CNavigator.h"
#include "res/CMenuBuilder.h"
#include "res/CommandIds.h"
#include "res/CommandTable.h"
#include "res/Messages.h"
#include "script/AutoIndent.h"
#include "text/Cp932Codec.h"
#include "text/Utf16.h"
#include "view/CCaretBlinkGuard.h"
#include "view/CFindReplaceDlg.h"
#include "view/CLineBoxLayout.h"
#include "view/CLineNumberGutter.h"
#include "view/CLineTags.h"
#include "view/CMouseSelection.h"
#include "view/CSyntaxColorer.h"
#include "view/CViewFont.h"
#include "view/CWaitCursor.h"
#include "view/ClipboardText.h"
#include "view/DialogPlacement.h"
#include "view/KeywordColors.h"

CQuillView::CQuillView(QWidget* parent, CKeywordTable words, std::function<QString()> helpDir)
    : QPlainTextEdit(parent),
      m_ctrl(this),
      m_mapKeywords(std::move(words)),
      m_nav(std::make_unique<CNavigator>(m_ctrl, m_mapKeywords)),
      m_help(std::make_unique<CKeywordHelp>(m_ctrl, *m_nav, std::move(helpDir))),
      m_mouse(this, m_ctrl) {
    // The document lays its lines out with room below them for the face's
    // ink; its margin holds the selection bar at the left edge.
    auto* doc = new QTextDocument(this);
    auto* lineBox = new CLineBoxLayout(doc);
    doc->setDocumentLayout(lineBox);
    doc->setDocumentMargin(CMouseSelection::kBarWidth);
    setDocument(doc);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    // The document's own history holds the edits; colors live beside the
    // text and are no part of it.
    m_lineTags = new CLineTags(doc);
    m_history = new CEditHistory(doc, m_lineTags);
    // A caret moved by anything but an edit ends a run of typing.
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, [this]() {
        if (!m_history->InStep()) {
            m_history->BreakRun();
        }
    });
    // Record 0 is also the default format: text that no recoloring has
    // reached shows in its color in the fixed face.
    const QFont face = keywordcolors::FixedFace();
    m_cfColors = keywordcolors::BuildFormats(face);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, Qt::black);
    pal.setColor(QPalette::Text, keywordcolors::DefaultTextColor());
    setPalette(pal);
    setAcceptDrops(true);
    new CCaretBlinkGuard(this);
    m_font = new CViewFont(this, lineBox, face);
    m_colorer = std::make_unique<CSyntaxColorer>(m_ctrl, m_mapKeywords, m_cfColors);
    m_lineNumbers = new CLineNumberGutter(
        this, [this](int width) { setViewportMargins(width, 0, 0, 0); },
        [this](int from, int to) { m_mouse.SelectLines(from, to); });
    // Setting the document's margin counts as a change; no text has changed.
    doc->setModified(false);
}

CQuillView::~CQuillView() = default;

namespace {

// The commands this view serves.
constexpr CommandMapEntry<CQuillView> kMessageMap[] = {
    {cmd::ID_EDIT_UNDO, &CQuillView::OnEditUndo},
    {cmd::ID_EDIT_REDO, &CQuillView::OnEditRedo},
    {cmd::ID_EDIT_CUT, &CQuillView::OnEditCut},
    {cmd::ID_EDIT_COPY, &CQuillView::OnEditCopy},
    {cmd::ID_EDIT_PASTE, &CQuillView::OnEditPaste},
    {cmd::ID_EDIT_CLEAR, &CQuillView::OnEditClear},
    {cmd::ID_EDIT_SELECT_ALL, &CQuillView::OnEditSelectAll},
    {cmd::ID_CURSOR_TOP, &CQuillView::OnCursorTop},
    {cmd::ID_CURSOR_END, &CQuillView::OnCursorEnd},
    {cmd::ID_CURSOR_MARK, &CQuillView::OnCursorMark},
    {cmd::ID_CURSOR_BACK, &CQuillView::OnCursorBack},
    {cmd::ID_CURSOR_FORWARD, &CQuillView::OnCursorForward},
    {cmd::ID_CURSOR_LABEL, &CQuillView::OnCursorLabel},
    {cmd::ID_CURSOR_LINE, &CQuillView::OnCursorLine},
    {cmd::ID_HELP_KEYWORD, &CQuillView::OnHelpKeyword},
    {cmd::ID_HELP_GUIDE, &CQuillView::OnHelpGuide},
    {cmd::ID_EDIT_FIND, &CQuillView::OnEditFind},
    {cmd::ID_EDIT_REPEAT, &CQuillView::OnEditRepeat},
    {cmd::ID_EDIT_REPLACE, &CQuillView::OnEditReplace},
    {cmd::ID_FILE_PRINT, &CQuillView::OnFilePrint},
    {cmd::ID_FILE_PRINT_DIRECT, &CQuillView::OnFilePrintDirect},
    {cmd::ID_FILE_PRINT_PREVIEW, &CQuillView::OnFilePrintPreview},
};

}  // namespace

bool CQuillView::OnCommand(int id) {
    return RouteCommand(this, kMessageMap, id);
}

void CQuillView::RecolorAll() {
    m_colorer->RecolorAll();
}

void CQuillView::SetEncoding(textenc::Encoding encoding) {
    if (encoding == m_ctrl.GetEncoding()) {
        return;
    }
    const bool toUtf8 = textenc::IsUtf8(encoding) && !textenc::IsUtf8(m_ctrl.GetEncoding());
    m_ctrl.SetEncoding(encoding);
    if (toUtf8) {
        RemoveDuplicateCodeMarks();
    }
    const QTextCursor cursor = textCursor();
    const int top = verticalScrollBar()->value();
    const int left = horizontalScrollBar()->value();
    m_colorer->RecolorAll();
    setTextCursor(cursor);
    verticalScrollBar()->setValue(top);
    horizontalScrollBar()->setValue(left);
}

void CQuillView::RemoveDuplicateCodeMarks() {
    // UTF-8 has no duplicate codes: the marks would be written as invisible
    // characters of their own. One step, so that undo gives them back.
    bool open = false;
    for (const char32_t mark : cp932::kMarks) {
        const QString text = QString::fromUcs4(&mark, 1);
        for (QTextCursor found = document()->find(text); !found.isNull();
             found = document()->find(text, found)) {
            if (!open) {
                BeginStep(CEditHistory::Kind::Single);
                open = true;
            }
            found.removeSelectedText();
        }
    }
    if (open) {
        EndStep();
    }
}

void CQuillView::RecolorLines(int first, int last, int selStart, int selEnd, Redraw redraw) {
    m_colorer->RecolorLines(first, last, selStart, selEnd, redraw);
}

void CQuillView::ReplaceSelAndRecolor(const QString* text, ReplaceMode mode) {
    const CEditControl::Selection before = m_ctrl.GetSel();
    const int lengthBefore = m_ctrl.GetTextLength();
    BeginStep(CEditHistory::Kind::Single);
    if (text) {
        m_ctrl.ReplaceSel(*text);
    } else {
        paste();
    }
    EndStep();
    const CEditControl::Selection after = m_ctrl.GetSel();
    // The text grew by what was inserted less what was selected; the caret
    // ends after the inserted text, which so starts that much before it.
    const int removed = before.end - before.start;
    const int insertedLength = m_ctrl.GetTextLength() - lengthBefore + removed;
    const int insertedStart = after.end - insertedLength;
    RecolorLines(m_ctrl.LineFromChar(insertedStart), m_ctrl.LineFromChar(after.end), after.start,
                 after.end, mode == ReplaceMode::Repaint ? Redraw::All() : Redraw::None());
}

bool CQuillView::FindText(const QString& find, bool matchCase, bool wholeWord) {
    const auto [s, e] = m_ctrl.GetSel();
    CTextSearch::Match m;
    {
        CWaitCursor wait;
        m = m_search.FindText(*document(), s, e, find, matchCase, wholeWord);
    }
    if (!m.Found()) {
        return false;
    }
    m_ctrl.SetSel(m.start, m.end);
    return true;
}

bool CQuillView::OnFindNext(const QString& find, bool next, bool matchCase, bool wholeWord) {
    const auto [s, e] = m_ctrl.GetSel();
    CTextSearch::Match m;
    {
        CWaitCursor wait;
        m = m_search.FindNext(*document(), s, e, {find, matchCase, wholeWord, next});
    }
    if (!m.Found()) {
        if (!find.isEmpty()) {
            QWidget* owner =
                (m_findDlg && m_findDlg->isVisible()) ? static_cast<QWidget*>(m_findDlg) : window();
            msg::Plain(owner, QString::fromUtf8(msg::kSearchNotFound).arg(find));
        }
        return false;
    }
    m_ctrl.SetSel(m.start, m.end);
    m_ctrl.ScrollCaret();
    KeepSelectionClearOfFindDialog();
    return true;
}

void CQuillView::KeepSelectionClearOfFindDialog() {
    if (!m_findDlg || !m_findDlg->isVisible()) {
        return;
    }
    const CEditControl::Selection sel = m_ctrl.GetSel();
    QTextCursor c(document());
    c.setPosition(sel.start);
    QRect match = cursorRect(c);
    c.setPosition(sel.end);
    match |= cursorRect(c);
    match = match.intersected(viewport()->rect());
    if (match.isEmpty()) {
        return;
    }
    const QRect global(viewport()->mapToGlobal(match.topLeft()), match.size());
    QScreen* screen = m_findDlg->screen();
    const QRect area = screen ? screen->availableGeometry() : window()->frameGeometry();
    const QPoint to = dialogplacement::ClearOf(m_findDlg->frameGeometry(), global, area);
    if (to != m_findDlg->frameGeometry().topLeft()) {
        m_findDlg->move(to);
    }
}

void CQuillView::OnReplaceSel(const QString& find, bool next, bool matchCase, bool wholeWord,
                              const QString& replace) {
    ReplaceSelAndRecolor(&replace, ReplaceMode::Repaint);
    OnFindNext(find, next, matchCase, wholeWord);
}

void CQuillView::OnReplaceAll(const QString& find, const QString& replace, bool matchCase,
                              bool wholeWord) {
    // One step, made with a cursor of its own so that the window's caret
    // moves once; the lines it touched are recolored once it is done, when
    // the colors have followed the changes.
    m_ctrl.SetRedraw(false);
    auto [s, e] = m_ctrl.GetSel();
    int first = -1;
    int last = -1;
    {
        CWaitCursor wait;
        QTextCursor cursor(document());
        BeginStep(CEditHistory::Kind::Single);
        for (;;) {
            const CTextSearch::Match m =
                m_search.FindText(*document(), s, e, find, matchCase, wholeWord);
            if (!m.Found()) {
                break;
            }
            cursor.setPosition(m.start);
            cursor.setPosition(m.end, QTextCursor::KeepAnchor);
            cursor.insertText(replace);
            s = e = cursor.position();
            const int line = cursor.blockNumber();
            first = first < 0 ? line : std::min(first, line);
            last = std::max(last, line);
        }
        EndStep();
    }
    if (first >= 0) {
        RecolorLines(first, last, s, e, Redraw::None());
    }
    m_ctrl.ScrollCaret();
    m_ctrl.SetRedraw(true);
    m_ctrl.InvalidateAll();
}

void CQuillView::OpenFindReplace(bool replace) {
    if (!m_findDlg) {
        m_findDlg = new CFindReplaceDlg(this, window());
    }
    // A selection on one line is what to look for.
    const QString selected = m_ctrl.GetSelText();
    const QString findWhat = selected.contains(QLatin1Char('\n')) ? QString() : selected;
    m_search.Restart();
    m_findDlg->Open(replace ? CFindReplaceDlg::Mode::Replace : CFindReplaceDlg::Mode::Find,
                    findWhat);
}

CFindReplaceDlg* CQuillView::FindReplaceDialog() const {
    return m_findDlg;
}

void CQuillView::OnEditFind() {
    OpenFindReplace(false);
}
void CQuillView::OnEditReplace() {
    OpenFindReplace(true);
}

void CQuillView::OnEditRepeat() {
    if (!m_search.HasLastRequest()) {
        OpenFindReplace(false);
        return;
    }
    const CTextSearch::Request last = m_search.LastRequest();
    OnFindNext(last.find, last.down, last.matchCase, last.wholeWord);
}

std::unique_ptr<QTextDocument> CQuillView::PrintedText() {
    m_colorer->FinishPending();  // a page shows every line's colors
    return m_colorer->ColoredCopy();
}

void CQuillView::OnFilePrint() {
    const auto [s, e] = m_ctrl.GetSel();
    m_printer.Print(window(), *PrintedText(), s, e);
}

void CQuillView::OnFilePrintDirect() {
    m_printer.PrintDirect(window(), *PrintedText());
}

void CQuillView::OnFilePrintPreview() {
    m_printer.Preview(window(), *PrintedText());
}

void CQuillView::OnEditCut() {
    BeginStep(CEditHistory::Kind::Single);
    cut();
    EndStep();
    const auto [s, e] = m_ctrl.GetSel();
    const int line = m_ctrl.LineFromChar(e);
    RecolorLines(line, line, s, e, Redraw::All());
}
void CQuillView::OnEditPaste() {
    ReplaceSelAndRecolor(nullptr, ReplaceMode::Repaint);
}
void CQuillView::OnEditCopy() {
    copy();
}
void CQuillView::OnEditClear() {
    BeginStep(CEditHistory::Kind::Single);
    textCursor().removeSelectedText();
    EndStep();
}

void CQuillView::BeginStep(CEditHistory::Kind kind) {
    const QTextCursor caret = textCursor();
    m_history->Begin(kind, caret.position(), caret.anchor(), caret.position());
}

void CQuillView::EndStep() {
    m_history->End(textCursor().position());
    if (m_history->IsFull()) {
        // From the event loop, once the edit has been recolored.
        QTimer::singleShot(0, this, &CQuillView::TrimHistory);
    }
}

void CQuillView::OnEditUndo() {
    const CEditHistory::Change change = m_history->Undo();
    ShowChange(change.pos, change.added);
}

void CQuillView::OnEditRedo() {
    const CEditHistory::Change change = m_history->Redo();
    ShowChange(change.pos, change.added);
}

void CQuillView::ShowChange(int pos, int length) {
    if (pos < 0) {
        return;
    }
    const int textLength = m_ctrl.GetTextLength();
    const int start = std::clamp(pos, 0, textLength);
    const int end = std::clamp(pos + length, start, textLength);
    m_colorer->RecolorRange(m_ctrl.LineFromChar(start), m_ctrl.LineFromChar(end), start, end);
}

void CQuillView::TrimHistory() {
    const QTextCursor before = textCursor();
    const int vscroll = verticalScrollBar()->value();
    const int hscroll = horizontalScrollBar()->value();
    const CEditHistory::Change change = m_history->Trim();
    if (change.pos < 0) {
        return;
    }
    const int first = m_ctrl.LineFromChar(change.pos);
    const int last = m_ctrl.LineFromChar(change.pos + change.added);
    RecolorLines(first, last, before.anchor(), before.position(), Redraw::None());
    verticalScrollBar()->setValue(vscroll);
    horizontalScrollBar()->setValue(hscroll);
    m_ctrl.SetRedraw(true);
    m_ctrl.InvalidateAll();
}
void CQuillView::OnEditSelectAll() {
    selectAll();
}

void CQuillView::OnCursorTop() {
    m_nav->OnCursorTop();
}
void CQuillView::OnCursorEnd() {
    m_nav->OnCursorEnd();
}
void CQuillView::OnCursorLine() {
    m_nav->OnCursorLine();
}
void CQuillView::OnCursorLabel() {
    m_nav->OnCursorLabel();
}
void CQuillView::OnCursorMark() {
    m_nav->OnCursorMark();
}
void CQuillView::OnCursorBack() {
    m_nav->OnCursorBack();
}
void CQuillView::OnCursorForward() {
    m_nav->OnCursorForward();
}
void CQuillView::OnHelpKeyword() {
    m_help->OnHelpKeyword();
}
void CQuillView::OnHelpGuide() {
    m_help->OnHelpGuide();
}
void CQuillView::JumpToPosition(int start, int end) {
    m_nav->JumpToPosition(start, end);
}
void CQuillView::GotoLabel(const QString& name) {
    m_nav->GotoLabel(name);
}

// A command chosen in the view goes the way a menu command goes: to whoever
// routes the window's commands, or to the view itself when it stands alone.
void CQuillView::ChooseCommand(int id) {
    if (isSignalConnected(QMetaMethod::fromSignal(&CQuillView::commandChosen))) {
        emit commandChosen(id);
    } else {
        OnCommand(id);
    }
}

void CQuillView::contextMenuEvent(QContextMenuEvent* event) {
    // The view's own menu opens on the right button's release; the text
    // widget's standard one never shows.
    event->accept();
}

void CQuillView::wheelEvent(QWheelEvent* event) {
    if (m_font->HandleWheel(*event)) {
        event->accept();
        return;
    }
    QPlainTextEdit::wheelEvent(event);
}

void CQuillView::mousePressEvent(QMouseEvent* event) {
    // A click ends a run of typing, wherever it puts the caret.
    m_history->BreakRun();
    if (!m_mouse.Press(event)) {
        QPlainTextEdit::mousePressEvent(event);
    }
}

void CQuillView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!m_mouse.DoubleClick(event)) {
        QPlainTextEdit::mouseDoubleClickEvent(event);
    }
}

void CQuillView::mouseMoveEvent(QMouseEvent* event) {
    if (m_mouse.Drag(event)) {
        return;
    }
    QPlainTextEdit::mouseMoveEvent(event);
    if (event->buttons() == Qt::NoButton) {
        m_mouse.Hover(event->position().toPoint());
    }
}

void CQuillView::mouseReleaseEvent(QMouseEvent* event) {
    if (m_mouse.Release(event)) {
        return;
    }
    if (event->button() == Qt::RightButton) {
        QPointer<CQuillView> self(this);
        // Owned by the window (for its look), deleted here after use.
        QPointer<QMenu> menu(CMenuBuilder::BuildContextMenu(window()));
        for (QAction* action : menu->actions()) {
            const int id = CMenuBuilder::CommandOf(action);
            if (id == cmd::ID_EDIT_UNDO || id == cmd::ID_EDIT_REDO) {
                action->setEnabled(id == cmd::ID_EDIT_UNDO ? m_history->CanUndo()
                                                           : m_history->CanRedo());
            }
        }
        QAction* chosen = menu->exec(event->globalPosition().toPoint());
        const int id = menu ? CMenuBuilder::CommandOf(chosen) : 0;
        delete menu;
        if (!self) {
            return;
        }
        if (id != 0) {
            ChooseCommand(id);
        }
    }
    QPlainTextEdit::mouseReleaseEvent(event);
}

void CQuillView::keyPressEvent(QKeyEvent* event) {
    if (m_font->HandleKey(*event)) {
        event->accept();
        return;
    }
    // Cut, paste and undo keys reach the view's own handlers, never the
    // widget's built-in ones.
    if (event->matches(QKeySequence::Paste)) {
        OnEditPaste();
    } else if (event->matches(QKeySequence::Cut)) {
        OnEditCut();
    } else if (event->matches(QKeySequence::Undo) ||
               (event->key() == Qt::Key_Backspace && (event->modifiers() & Qt::AltModifier))) {
        OnEditUndo();
    } else if (event->matches(QKeySequence::Redo)) {
        OnEditRedo();
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
        // Delete, and the keys that delete words or lines, are edits of
        // their own; other keys move the caret and end a run of typing.
        const bool deletes = key == Qt::Key_Delete;
        const bool edits = deletes || event->matches(QKeySequence::DeleteStartOfWord) ||
                           event->matches(QKeySequence::DeleteEndOfWord) ||
                           event->matches(QKeySequence::DeleteEndOfLine) ||
                           event->matches(QKeySequence::DeleteCompleteLine);
        if (!edits) {
            QPlainTextEdit::keyPressEvent(event);
            return;
        }
        BeginStep(deletes ? CEditHistory::Kind::Deleting : CEditHistory::Kind::Single);
        QPlainTextEdit::keyPressEvent(event);
        EndStep();
        return;
    }
    // A key with Alt that no menu or table key took is no character: Alt+Q
    // types nothing. AltGr types its character; it arrives without Alt, or
    // as Ctrl+Alt.
    if ((mods & Qt::AltModifier) && !(mods & Qt::ControlModifier)) {
        event->ignore();
        return;
    }
    const Redraw redraw = backspace ? Redraw::All() : Redraw::Band(m_ctrl.GetHScrollPos());
    // A character joins the characters typed before it, Backspace the
    // deletions; Enter with its indent and Tab are steps of their own.
    const bool single = enter || (!backspace && text.at(0) == u'\t');
    BeginStep(single      ? CEditHistory::Kind::Single
              : backspace ? CEditHistory::Kind::Deleting
                          : CEditHistory::Kind::Typing);
    if (backspace && !textCursor().hasSelection()) {
        // A character kept under a duplicate code (its mark after it) goes
        // whole, as it shows, rather than its invisible mark alone.
        QTextCursor caret = textCursor();
        const int at = caret.positionInBlock();
        if (at >= 2 && cp932::IsMark(utf16::CodePointBefore(caret.block().text(), at))) {
            caret.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor);
            setTextCursor(caret);
        }
    }
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
    if (enter) {
        // The new line starts with the leading tabs of the line above.
        const int line = m_ctrl.LineFromChar(CEditControl::kCaret);
        const int tabs =
            linescan::LeadingTabs(m_ctrl.GetLine(line - 1, linescan::kIndentReadBytes));
        if (tabs > 0) {
            m_ctrl.ReplaceSel(QString(tabs, u'\t'));
        }
        EndStep();
        ensureCursorVisible();
        const auto [s, e] = m_ctrl.GetSel();
        RecolorLines(line - 1, line, s, e, redraw);
    } else {
        EndStep();
        // Laid out again once the step is closed; scrolled to now.
        ensureCursorVisible();
        const auto [s, e] = m_ctrl.GetSel();
        const int line = m_ctrl.LineFromChar(e);
        RecolorLines(line, line, s, e, redraw);
    }
}

void CQuillView::resizeEvent(QResizeEvent* event) {
    // A scroll bar that comes while the window keeps its size takes room
    // from the text: a caret that was shown stays shown. Going to the end
    // lays out the lines there only as it scrolls, and one of them may be
    // the first wider than the window.
    const bool windowKept = size() == m_sizeAtLastResize;
    m_sizeAtLastResize = size();
    const int caretBottom = cursorRect().bottom();
    QPlainTextEdit::resizeEvent(event);
    if (windowKept && caretBottom < event->oldSize().height() &&
        caretBottom >= event->size().height()) {
        ensureCursorVisible();
    }
}

void CQuillView::keyReleaseEvent(QKeyEvent* event) {
    QPlainTextEdit::keyReleaseEvent(event);
    // Delete removes on key press inside the control; its line is
    // recolored on release.
    if (event->key() == Qt::Key_Delete) {
        const auto [s, e] = m_ctrl.GetSel();
        const int line = m_ctrl.LineFromChar(e);
        RecolorLines(line, line, s, e, Redraw::All());
    }
}

void CQuillView::inputMethodEvent(QInputMethodEvent* event) {
    // Text committed by an input method (how Japanese is typed) is a typed
    // character like any other. A pre-edit string is not in the text yet,
    // but the first one typed over a selection removes it, and a cancelled
    // composition leaves the text without it: the lines are recolored
    // whenever the text changed.
    const bool commit = !event->commitString().isEmpty();
    const int lengthBefore = m_ctrl.GetTextLength();
    const Redraw redraw = Redraw::Band(m_ctrl.GetHScrollPos());
    const int start = std::max(0, m_ctrl.GetSel().start + std::min(0, event->replacementStart()));
    m_colorer->SetComposing(!commit);
    BeginStep(CEditHistory::Kind::Single);
    QPlainTextEdit::inputMethodEvent(event);
    EndStep();
    m_colorer->SetComposing(false);
    if (!commit && m_ctrl.GetTextLength() == lengthBefore) {
        return;
    }
    const auto [s, e] = m_ctrl.GetSel();
    const int last = m_ctrl.LineFromChar(e);
    RecolorLines(std::min(m_ctrl.LineFromChar(start), last), last, s, e, redraw);
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
                ChooseCommand(id);
            }
            return true;
        }
    }
    return QPlainTextEdit::event(event);
}

namespace {

// The first local file a drag carries; empty when it carries none.
QString DroppedFile(const QMimeData* data) {
    if (data && data->hasUrls()) {
        for (const QUrl& url : data->urls()) {
            if (url.isLocalFile()) {
                return url.toLocalFile();
            }
        }
    }
    return {};
}

}  // namespace

// Files dragged onto the view are opened; dragged text is the text
// widget's own business (and is not recolored).
void CQuillView::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFile(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
        return;
    }
    QPlainTextEdit::dragEnterEvent(event);
}

void CQuillView::dragMoveEvent(QDragMoveEvent* event) {
    if (!DroppedFile(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
        return;
    }
    QPlainTextEdit::dragMoveEvent(event);
}

void CQuillView::dropEvent(QDropEvent* event) {
    const QString path = DroppedFile(event->mimeData());
    if (path.isEmpty()) {
        // Dropped text goes in at the drop point; text dragged within the
        // window leaves its old place in the same step.
        const auto [s, e] = m_ctrl.GetSel();
        const bool move = event->dropAction() == Qt::MoveAction && event->source() == viewport();
        const int at = cursorForPosition(event->position().toPoint()).position();
        m_colorer->BeginDrop(move ? s : at, move ? e : at, at);
        m_history->Begin(CEditHistory::Kind::Single, at, std::min(s, at), std::max(e, at));
        QPlainTextEdit::dropEvent(event);
        EndStep();
        m_colorer->EndDrop();
        return;
    }
    event->acceptProposedAction();
    // Opened from the event loop, once the drag has ended: opening may ask
    // to save the current script first.
    QTimer::singleShot(0, this, [this, path]() { emit fileDropped(path); });
}

QMimeData* CQuillView::createMimeDataFromSelection() const {
    QMimeData* data = QPlainTextEdit::createMimeDataFromSelection();
    clipboardtext::KeepExact(data);
    return data;
}

void CQuillView::insertFromMimeData(const QMimeData* source) {
    // Marks belong to Shift_JIS text only.
    if (!source->hasFormat(QLatin1String(clipboardtext::kExactFormat)) ||
        textenc::IsUtf8(m_ctrl.GetEncoding())) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    QMimeData exact;
    exact.setText(clipboardtext::TextToInsert(source));
    QPlainTextEdit::insertFromMimeData(&exact);
}
