#pragma once
// Numbers of every command of the editor: its own and the standard ones.

namespace cmd {

// The editor's own commands.
constexpr int ID_HELP_KEYWORD = 9;
constexpr int ID_QFO_OPEN = 137;
constexpr int ID_HSP_RUN = 32772;
constexpr int ID_CURSOR_TOP = 32773;
constexpr int ID_CURSOR_END = 32774;
constexpr int ID_CURSOR_LINE = 32775;
constexpr int ID_CURSOR_LABEL = 32776;
constexpr int ID_CURSOR_MARK = 32777;
constexpr int ID_CURSOR_BACK = 32778;
constexpr int ID_CURSOR_FORWARD = 32779;
constexpr int ID_SET_DIRECTORY = 32780;
constexpr int ID_HELP_GUIDE = 32781;
constexpr int ID_HSP_FULLSCREEN = 32783;
constexpr int ID_HSP_DEBUGWIN = 32784;
constexpr int ID_HSP_CMDLINE = 32785;
constexpr int ID_SET_QFO = 32792;
constexpr int ID_FILE_ENCODING_SJIS = 32800;
constexpr int ID_FILE_ENCODING_UTF8 = 32801;
constexpr int ID_FILE_ENCODING_UTF8_BOM = 32802;
constexpr int ID_FILE_REOPEN_ENCODING = 32803;
// Not a command: the File menu's encoding submenu.
constexpr int ID_FILE_ENCODING_MENU = 32804;
constexpr int ID_FILE_RELOAD = 32820;
// Compile and run through commands, and their output pane.
constexpr int ID_HSP_STOP = 32793;
constexpr int ID_VIEW_OUTPUT = 32794;
constexpr int ID_SET_COMMANDS = 32795;
constexpr int ID_NEXT_MESSAGE = 32796;
constexpr int ID_PREV_MESSAGE = 32797;
constexpr int ID_VIEW_LINE_NUMBERS = 32830;

// Standard commands.
constexpr int ID_CANCEL_EDIT_CNTR = 32768;
constexpr int ID_FILE_NEW = 57600;
constexpr int ID_FILE_OPEN = 57601;
constexpr int ID_FILE_SAVE = 57603;
constexpr int ID_FILE_SAVE_AS = 57604;
constexpr int ID_FILE_PRINT_SETUP = 57606;
constexpr int ID_FILE_PRINT = 57607;
constexpr int ID_FILE_PRINT_DIRECT = 57608;
constexpr int ID_FILE_PRINT_PREVIEW = 57609;
constexpr int ID_FILE_MRU_FILE1 = 57616;
constexpr int ID_FILE_MRU_FILE2 = 57617;
constexpr int ID_FILE_MRU_FILE3 = 57618;
constexpr int ID_FILE_MRU_FILE4 = 57619;
constexpr int ID_EDIT_CLEAR = 57632;
constexpr int ID_EDIT_COPY = 57634;
constexpr int ID_EDIT_CUT = 57635;
constexpr int ID_EDIT_FIND = 57636;
constexpr int ID_EDIT_PASTE = 57637;
constexpr int ID_EDIT_REPEAT = 57640;
constexpr int ID_EDIT_REPLACE = 57641;
constexpr int ID_EDIT_SELECT_ALL = 57642;
constexpr int ID_EDIT_UNDO = 57643;
constexpr int ID_EDIT_REDO = 57644;
constexpr int ID_APP_ABOUT = 57664;
constexpr int ID_APP_EXIT = 57665;
constexpr int ID_NEXT_PANE = 57680;
constexpr int ID_PREV_PANE = 57681;
constexpr int ID_OLE_EDIT_PROPERTIES = 57860;
constexpr int ID_VIEW_TOOLBAR = 59392;
constexpr int ID_VIEW_STATUS_BAR = 59393;

// Status bar indicators.
constexpr int ID_INDICATOR_CAPS = 59137;
constexpr int ID_INDICATOR_NUM = 59138;
constexpr int ID_INDICATOR_SCRL = 59139;
constexpr int ID_INDICATOR_KANA = 59142;

}  // namespace cmd
