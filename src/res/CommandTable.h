#pragma once
// The command set of the editor as data: every command with its main-menu
// label, accelerator keys and prompt; the main menu, the view's context
// menu, the tool bar and the status bar panes. CMenuBuilder turns these
// tables into widgets. Keys that are no command (the zoom keys, the text
// widget's own editing keys) are the view's.

#include <QKeyCombination>
#include <QString>
#include <span>

namespace res {

// Application title: the window title's last part and the caption of the
// message boxes (all but the confirmation box).
inline constexpr char kAppTitle[] = "QUILL";

// Text of the status bar's message pane when nothing is being pointed at.
inline constexpr char kIdleMessage[] = "ﾚﾃﾞｨ";

// Command flags.
inline constexpr unsigned kCheckable = 1;  // the item carries a check mark
// The item is one of a submenu's radio items: checkable, and checking it
// clears the others.
inline constexpr unsigned kRadio = 2;

struct CommandDef {
    int id;
    // Main-menu label, "&" marking the mnemonic and "\t" separating the
    // accelerator text; empty for a command with no main-menu item.
    const char* label;
    // Accelerator keys; an unused slot holds QKeyCombination().
    QKeyCombination keys[2];
    // Status bar prompt, then after "\n" the tool tip; UTF-8.
    const char* prompt;
    unsigned flags;
};

// Every command of the editor, its own and the standard ones, by id.
std::span<const CommandDef> Commands();
// The entry of `id`, or null.
const CommandDef* FindCommand(int id);

// The id that an accelerator key press sends, or 0 when `key` is not an
// accelerator. The keypad modifier is ignored (keypad Insert is Insert).
int AcceleratorCommand(QKeyCombination key);

// The parts of a command's prompt: the status bar text and the tool tip
// (the tool tip is empty when the prompt has none).
QString StatusPrompt(int id);
QString ToolTip(int id);
// The main-menu label of `id` (empty when it has none).
QString MenuLabel(int id);

// Main menu: its pull-downs from left to right; an item id of 0 is a
// separator.
inline constexpr int kSeparator = 0;
inline constexpr unsigned kGrayed = 1;

struct MenuItemDef {
    int id;
    unsigned flags;  // kGrayed
};

struct MenuDef {
    const char* title;
    std::span<const MenuItemDef> items;
};

std::span<const MenuDef> MainMenu();

// A submenu: an item of a pull-down whose id names it opens these items.
struct SubMenuDef {
    int id;
    const char* title;
    std::span<const MenuItemDef> items;
};
// The submenu an item id names, or null.
const SubMenuDef* FindSubMenu(int id);

// The view's context menu; its labels differ from the main menu's. A null
// label is a separator.
struct PopupItemDef {
    const char* label;
    int id;
};

std::span<const PopupItemDef> ContextMenu();

// Tool bar buttons from left to right; kSeparator is a gap.
std::span<const int> ToolBarButtons();
// Size of a tool bar button's picture.
inline constexpr int kButtonWidth = 16;
inline constexpr int kButtonHeight = 15;

// Status bar panes in order: the message pane (id 0, no text of its own),
// then the lock indicators with the text shown while the lock is on.
struct PaneDef {
    int id;
    const char* text;
};

std::span<const PaneDef> StatusPanes();

}  // namespace res
