#pragma once
// The editor view: the script's text on black, no wrap, with the keyword
// coloring, the editing hooks, navigation and help.

#include <QPlainTextEdit>
#include <QPointer>
#include <QTextCharFormat>
#include <array>
#include <functional>
#include <memory>

#include "edit/CEditControl.h"
#include "res/CommandTarget.h"
#include "script/CKeywordTable.h"
#include "view/CEditHistory.h"
#include "view/CMouseSelection.h"
#include "view/CScriptPrinter.h"
#include "view/CTextSearch.h"
#include "view/Redraw.h"

class CFindReplaceDlg;
class CLineTags;
class CLineBoxLayout;
class CLineNumberGutter;
class CQuillDoc;
class CKeywordHelp;
class CNavigator;
class CSyntaxColorer;
class CViewFont;

class CQuillView : public QPlainTextEdit, public CCommandTarget {
    Q_OBJECT
public:
    // `words` is the word list the coloring and the label jump use.
    // `helpDir` gives the help directory setting when keyword help needs it;
    // without it help pages are looked up in the current directory.
    explicit CQuillView(QWidget* parent = nullptr, CKeywordTable words = {},
                        std::function<QString()> helpDir = {});
    ~CQuillView() override;

    CEditControl& Ctrl() { return m_ctrl; }
    const CEditControl& Ctrl() const { return m_ctrl; }

    bool OnCommand(int id) override;

    // Colors every line and puts the caret at the start of the text.
    void RecolorAll();
    // Counts the bytes of lines in `encoding` from now on and colors every
    // line again; the caret and the scroll position stay. Going to UTF-8
    // removes the marks of duplicate Shift_JIS codes (one undo step).
    void SetEncoding(textenc::Encoding encoding);
    void RecolorLines(int first, int last, int selStart, int selEnd, Redraw redraw);

    // The word list the view was made with.
    const CKeywordTable& KeywordTable() const { return m_mapKeywords; }
    // The eight color records; record 0 is the default text format.
    const std::array<QTextCharFormat, 8>& ColorFormats() const { return m_cfColors; }
    CSyntaxColorer& Colorer() { return *m_colorer; }

    // What ReplaceSelAndRecolor does about painting when it is done.
    enum class ReplaceMode {
        Repaint,          // repaints the whole window
        KeepPaintingOff,  // leaves painting off for the caller
    };
    // Replaces the selection with `text` (or pastes when `text` is null) and
    // recolors every line the inserted text spans.
    void ReplaceSelAndRecolor(const QString* text, ReplaceMode mode);

    // Find and replace, as the find/replace dialog calls them.
    // Searches forward from the selection, wrapping once; selects and
    // returns true when found.
    bool FindText(const QString& find, bool matchCase, bool wholeWord);
    // Finds the next occurrence downward or upward.
    bool OnFindNext(const QString& find, bool next, bool matchCase, bool wholeWord);
    void OnReplaceSel(const QString& find, bool next, bool matchCase, bool wholeWord,
                      const QString& replace);
    void OnReplaceAll(const QString& find, const QString& replace, bool matchCase, bool wholeWord);

    // The search cycle shared by the find dialog, F3 and Replace All.
    CTextSearch& Search() { return m_search; }
    // The find/replace dialog's one instance; null until first opened.
    CFindReplaceDlg* FindReplaceDialog() const;
    // Find (Ctrl+F), replace (Ctrl+H) and find next (F3).
    void OnEditFind();
    void OnEditReplace();
    void OnEditRepeat();

    // The printer shared by printing, preview and page setup.
    CScriptPrinter& Printer() { return m_printer; }
    void OnFilePrint();
    void OnFilePrintDirect();
    void OnFilePrintPreview();

    // Undo and redo of an edit step; the changed text is recolored,
    // selected and scrolled into view.
    void OnEditUndo();
    void OnEditRedo();
    CEditHistory& History() { return *m_history; }
    void OnEditCut();
    void OnEditPaste();
    void OnEditCopy();
    void OnEditClear();
    void OnEditSelectAll();

    // Navigation and help (the logic lives in src/nav).
    void OnCursorTop();
    void OnCursorEnd();
    void OnCursorLine();
    void OnCursorLabel();
    void OnCursorMark();
    void OnCursorBack();
    void OnCursorForward();
    void OnHelpKeyword();
    void OnHelpGuide();
    void JumpToPosition(int start, int end);
    void GotoLabel(const QString& name);
    CNavigator& Navigator() { return *m_nav; }

    // The text's face and size, and zooming it.
    CViewFont& Font() { return *m_font; }
    // The line numbers left of the selection bar, hidden until shown.
    CLineNumberGutter& LineNumbers() { return *m_lineNumbers; }

signals:
    // A command chosen in the view (its context menu, a table key that
    // reached it). With nothing connected the view serves it itself.
    void commandChosen(int id);
    // A file dragged onto the view and dropped, to be opened once the drag
    // has ended.
    void fileDropped(const QString& path);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    bool event(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    void OpenFindReplace(bool replace);
    void RemoveDuplicateCodeMarks();
    // The text as printing takes it: every line colored.
    std::unique_ptr<QTextDocument> PrintedText();
    // A typed character, after the control has processed it.
    void OnChar(QKeyEvent* event);
    // Moves the find dialog off the selection it has just found.
    void KeepSelectionClearOfFindDialog();
    // Passes a chosen command on, or serves it when nobody listens.
    void ChooseCommand(int id);
    // Opens an edit step for the selection (or caret) as it is now.
    void BeginStep(CEditHistory::Kind kind);
    void EndStep();
    // Recolors, selects and shows what an undo or redo changed.
    void ShowChange(int pos, int length);
    // Drops the oldest steps once the history holds too much.
    void TrimHistory();

    CEditControl m_ctrl;
    std::array<QTextCharFormat, 8> m_cfColors;
    CKeywordTable m_mapKeywords;
    std::unique_ptr<CSyntaxColorer> m_colorer;
    CTextSearch m_search;
    QPointer<CFindReplaceDlg> m_findDlg;
    CScriptPrinter m_printer;
    // Holds the cursor position memory, which lives as long as the view.
    std::unique_ptr<CNavigator> m_nav;
    std::unique_ptr<CKeywordHelp> m_help;
    CLineTags* m_lineTags = nullptr;
    CEditHistory* m_history = nullptr;

    CViewFont* m_font = nullptr;
    CMouseSelection m_mouse;
    CLineNumberGutter* m_lineNumbers = nullptr;
    // The view's size when its text area last changed size.
    QSize m_sizeAtLastResize;
};
