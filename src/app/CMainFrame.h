#pragma once
// The editor's one top-level window: menu, tool bar, status bar, the view in
// the middle; keeps its placement in the settings and serves the two
// run-option toggles, the bar and line-number toggles and the recent-file
// entries.

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <functional>

#include "res/CommandTarget.h"
#include "script/CKeywordTable.h"
#include "text/TextEncoding.h"

class COutputPane;
class CQuillDoc;
class QDockWidget;
class CQuillView;
class QAction;
class QLabel;
class QMenu;
class QStatusBar;
class QToolBar;

class CMainFrame : public QMainWindow, public CCommandTarget {
    Q_OBJECT
public:
    // `words`: the word list the view colors with.
    CMainFrame(CQuillDoc* doc, CKeywordTable words, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Builds menu, bars and check marks and places the window.
    void OnCreate();

    CQuillView* GetView() const { return m_view; }

    bool OnCommand(int id) override;
    // Routes a command to view, document, frame, application in turn.
    void DispatchCommand(int id);

    void OnHspFullscreen();
    void OnHspDebugwin();
    void OnViewToolbar();
    void OnViewStatusBar();
    void OnViewOutput();
    void OnNextMessage();
    void OnPrevMessage();
    // F6 / Shift+F6: the focus to the other pane (text or output).
    void OnSwitchPane();
    void OnViewLineNumbers();
    void OnAppExit();
    // Stores the placement in the settings.
    void OnDestroy();

    // Refreshes the window title from the document.
    void UpdateTitle();

    // The action of a command (menu item, button and keys), or null.
    QAction* CommandAction(int id) const { return m_actions.value(id); }
    QToolBar* ToolBar() const { return m_wndToolBar; }
    QStatusBar* StatusBar() const { return m_wndStatusBar; }
    // The output pane of F5's commands and the dock that holds it.
    COutputPane* OutputPane() const { return m_outputPane; }
    QDockWidget* OutputDock() const { return m_outputDock; }
    // The lock indicator panes, in order.
    const QList<QLabel*>& IndicatorPanes() const { return m_indicators; }
    // Re-reads the lock keys into the indicator panes.
    void UpdateIndicators();
    // The pane left of the indicators that shows the caret's line and
    // column, and its text for a line and column counted from 1.
    QLabel* CaretPane() const { return m_caretPane; }
    static QString CaretPaneText(int line, int column);
    void UpdateCaretPane();
    // The pane beside it that names the script's encoding, the pane's text
    // for an encoding, and the update of pane and File menu radio items.
    QLabel* EncodingPane() const { return m_encodingPane; }
    static QString EncodingPaneText(textenc::Encoding encoding);
    void UpdateEncoding();

    // Puts `path` at the head of the recent-file list (settings and menu).
    void AddRecentFile(const QString& path);
    // Rebuilds the File menu's recent entries from the settings.
    void UpdateRecentFileMenu();

    // Tests: a hook that sees every dispatched command before it is routed;
    // returning true stops the routing.
    void SetCommandHookForTesting(std::function<bool(int)> hook) {
        m_commandHook = std::move(hook);
    }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // No tool bar / dock menu on a right click in the frame.
    QMenu* createPopupMenu() override { return nullptr; }

private:
    // The steps of OnCreate, in order: the commands' actions and their
    // routing, the main menu, the tool bar, the status bar with its panes,
    // the output pane, the run options' check marks, the line numbers
    // (ShowLineNumbers), the window's placement.
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateOutputPane();
    void UpdateRunOptionChecks();
    // Shows or hides the line numbers: view, check mark (no setting).
    void ShowLineNumbers(bool shown);
    void RestorePlacement();
    // Flips one bit of the run options: member, check mark and setting.
    void ToggleExeStat(int bit, int id);
    void OnOpenRecentFile(int index);
    void SetCheck(int id, bool checked);

    CQuillDoc* m_doc;
    CQuillView* m_view;
    QStatusBar* m_wndStatusBar = nullptr;
    QToolBar* m_wndToolBar = nullptr;
    COutputPane* m_outputPane = nullptr;
    QDockWidget* m_outputDock = nullptr;
    QHash<int, QAction*> m_actions;
    // Entries 1..4 of the recent-file list in the File menu.
    QList<QAction*> m_recentActions;
    QList<QLabel*> m_indicators;
    QLabel* m_caretPane = nullptr;
    QLabel* m_encodingPane = nullptr;
    std::function<bool(int)> m_commandHook;
};
