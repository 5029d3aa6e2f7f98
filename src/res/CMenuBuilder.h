#pragma once
// Builds the menus, the tool bar and the status bar from the command tables
// (res/CommandTable.h). Every action carries its command id (QAction::data);
// connecting the actions to the command routing is the caller's job.

#include <QHash>
#include <QList>
#include <QStringList>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QObject;
class QStatusBar;
class QToolBar;
class QWidget;

class CMenuBuilder {
public:
    // One action for every command of the table, owned by `owner`: label,
    // accelerator keys (window-wide), status prompt, tool tip, button
    // picture, check mark if the command has one.
    static QHash<int, QAction*> CreateActions(QObject* owner);

    // The main menu: the pull-downs with their items and separators; the
    // recent-file placeholder is grayed, the other recent-file entries
    // follow it, hidden.
    static void BuildMenuBar(QMenuBar* bar, const QHash<int, QAction*>& actions);
    // The File menu's recent-file entries: `texts` (at most four) in order,
    // the others hidden; with none, the grayed placeholder alone.
    static void SetRecentFileItems(const QHash<int, QAction*>& actions, const QStringList& texts);

    // The tool bar buttons with the gaps between their groups.
    static void BuildToolBar(QToolBar* bar, const QHash<int, QAction*>& actions);

    // The message pane (showing the idle text) and the lock indicators, in
    // order. Returns the indicator panes; each keeps its text in the
    // property "paneText" and its id in "paneId", and starts off (blank).
    static QList<QLabel*> BuildStatusBar(QStatusBar* bar);
    // Shows an indicator's text while its lock is on, blank while off.
    static void SetIndicator(QLabel* pane, bool on);

    // The view's context menu, owned by `parent`; its actions carry ids.
    static QMenu* BuildContextMenu(QWidget* parent);

    // The command id an action carries (0 for none).
    static int CommandOf(const QAction* action);
};
