#include "res/CommandTable.h"

#include <algorithm>

#include "res/CommandIds.h"

namespace res {
namespace {

using namespace cmd;

constexpr QKeyCombination kNone{};

constexpr QKeyCombination Ctrl(Qt::Key key) {
    return QKeyCombination(Qt::ControlModifier, key);
}
constexpr QKeyCombination Shift(Qt::Key key) {
    return QKeyCombination(Qt::ShiftModifier, key);
}
constexpr QKeyCombination Alt(Qt::Key key) {
    return QKeyCombination(Qt::AltModifier, key);
}
constexpr QKeyCombination CtrlShift(Qt::Key key) {
    return QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, key);
}

// clang-format off
const CommandDef kCommands[] = {
    // The editor's own commands.
    {ID_HELP_KEYWORD, "HSPキーワード検索(&K)\tF1", {Qt::Key_F1, kNone},
     "HSPの命令の説明を見る\nHSPキーワード検索", 0},
    {ID_QFO_OPEN, "QuickFileOpen\tF4", {Qt::Key_F4, kNone},
     "QuickFileOpen\nQuickFileOpen", 0},
    {ID_HSP_RUN, "コンパイル・実行(&C)\tF5", {Qt::Key_F5, kNone},
     "現在のスクリプトを実行\nスクリプト実行", 0},
    {ID_CURSOR_TOP, "先頭へ(&T)", {kNone, kNone},
     "先頭行へｶｰｿﾙを移動\n先頭行へ", 0},
    {ID_CURSOR_END, "最後へ(&E)", {kNone, kNone},
     "最終行へｶｰｿﾙを移動\n最終行へ", 0},
    {ID_CURSOR_LINE, "指定行へ(&J)\tCtrl+J", {Ctrl(Qt::Key_J), kNone},
     "指定行へｶｰｿﾙを移動\n指定行へ", 0},
    {ID_CURSOR_LABEL, "指定ラベルへ(&L)\tF2", {Qt::Key_F2, kNone},
     "指定ラベルへｶｰｿﾙを移動\n指定ラベルへ", 0},
    {ID_CURSOR_MARK, "現在位置を記憶(&M)\tCtrl+M", {Ctrl(Qt::Key_M), kNone},
     "現在のｶｰｿﾙ位置を記憶\n現在位置を記憶", 0},
    {ID_CURSOR_BACK, "前のｶｰｿﾙ位置へ(&B)\tCtrl+B", {Ctrl(Qt::Key_B), kNone},
     "一つ前に記憶したカーソル位置へ戻る\n前のカーソル位置へ", 0},
    {ID_CURSOR_FORWARD, "後のｶｰｿﾙ位置へ(&N)\tCtrl+K", {Ctrl(Qt::Key_K), kNone},
     "一つ後に記憶したカーソル位置へ戻る\n後のカーソル位置へ", 0},
    {ID_SET_DIRECTORY, "ディレクトリ設定(&D)", {kNone, kNone},
     "HSPシステムやヘルプのあるディレクトリを指定\nディレクトリ設定", 0},
    {ID_HELP_GUIDE, "HSPプログラムガイド(&P)", {kNone, kNone},
     "HSPプログラムガイドを開く\nHSPプログラムガイド", 0},
    {ID_HSP_FULLSCREEN, "フルスクリーン表示(&F)", {kNone, kNone},
     "実行時にフルスクリーン表示をする\nフルスクリーンで実行", kCheckable},
    {ID_HSP_DEBUGWIN, "デバッグウィンドウ表示(&D)", {kNone, kNone},
     "実行時にデバッグウィンドウを表示\nデバッグウィンドウを表示", kCheckable},
    {ID_HSP_CMDLINE, "起動オプション(&O)", {kNone, kNone},
     "実行時のコマンドラインを指定\nコマンドライン指定", 0},
    {ID_SET_QFO, "QuickFileOpen設定", {kNone, kNone},
     "QuickFileOpen登録\nQuickFileOpen登録", 0},
    {ID_HSP_STOP, "停止(&S)\tShift+F5", {Shift(Qt::Key_F5), kNone},
     "実行中のコンパイルやプログラムを停止\n停止", 0},
    {ID_VIEW_OUTPUT, "出力(&O)", {kNone, kNone},
     "出力ペインの表示/非表示を切り替え\n出力の表示切り替え", kCheckable},
    {ID_SET_COMMANDS, "コマンド設定(&C)", {kNone, kNone},
     "コンパイルと実行に使うコマンドを指定\nコマンド設定", 0},
    {ID_NEXT_MESSAGE, "次のエラー行へ(&X)\tF8", {Qt::Key_F8, kNone},
     "出力の次のメッセージが示す行へ移動\n次のエラー行へ", 0},
    {ID_PREV_MESSAGE, "前のエラー行へ(&V)\tShift+F8", {Shift(Qt::Key_F8), kNone},
     "出力の前のメッセージが示す行へ移動\n前のエラー行へ", 0},

    // File.
    {ID_FILE_NEW, "新規作成(&N)\tCtrl+N", {Ctrl(Qt::Key_N), kNone},
     "新規にﾌｧｲﾙを作成\n新規ﾌｧｲﾙ", 0},
    {ID_FILE_OPEN, "開く(&O)...\tCtrl+O", {Ctrl(Qt::Key_O), kNone},
     "既存のﾌｧｲﾙを開く\n開く", 0},
    {ID_FILE_SAVE, "上書き保存(&S)\tCtrl+S", {Ctrl(Qt::Key_S), kNone},
     "作業中のﾌｧｲﾙを上書きして保存\n保存", 0},
    {ID_FILE_SAVE_AS, "名前を付けて保存(&A)...", {kNone, kNone},
     "作業中のﾌｧｲﾙを新しい名前で保存\n名前を付けて保存", 0},
    {ID_FILE_RELOAD, "再読み込み(&R)", {kNone, kNone},
     "作業中のﾌｧｲﾙをディスクから読み込み直す\n再読み込み", 0},
    {ID_FILE_ENCODING_SJIS, "&Shift_JIS", {kNone, kNone},
     "次の保存を Shift_JIS で書く\nShift_JIS", kRadio},
    {ID_FILE_ENCODING_UTF8, "&UTF-8", {kNone, kNone},
     "次の保存を UTF-8 で書く\nUTF-8", kRadio},
    {ID_FILE_ENCODING_UTF8_BOM, "UTF-8 (&BOM付き)", {kNone, kNone},
     "次の保存を BOM 付きの UTF-8 で書く\nUTF-8 (BOM付き)", kRadio},
    {ID_FILE_REOPEN_ENCODING, "文字コードを指定して開き直す(&R)...", {kNone, kNone},
     "ﾌｧｲﾙを指定した文字コードで読み直す\n文字コードを指定して開き直す", 0},
    {ID_FILE_PRINT_SETUP, "ﾌﾟﾘﾝﾀの設定(&R)...", {kNone, kNone},
     "ﾌﾟﾘﾝﾀと印刷の設定を変更\nﾌﾟﾘﾝﾀの設定", 0},
    {ID_FILE_PRINT, "印刷(&P)...\tCtrl+P", {Ctrl(Qt::Key_P), kNone},
     "作業中のﾌｧｲﾙを印刷\n印刷", 0},
    {ID_FILE_PRINT_DIRECT, "", {kNone, kNone},
     "作業中のﾌｧｲﾙを現在の設定で印刷\n直接印刷", 0},
    {ID_FILE_PRINT_PREVIEW, "", {kNone, kNone},
     "印刷したときのｲﾒｰｼﾞを表示\n印刷ﾌﾟﾚﾋﾞｭｰ", 0},
    {ID_FILE_MRU_FILE1, "最近使ったﾌｧｲﾙ", {kNone, kNone},
     "この最近使ったﾌｧｲﾙを開く\n最近使ったﾌｧｲﾙ", 0},
    {ID_FILE_MRU_FILE2, "", {kNone, kNone},
     "この最近使ったﾌｧｲﾙを開く\n最近使ったﾌｧｲﾙ", 0},
    {ID_FILE_MRU_FILE3, "", {kNone, kNone},
     "この最近使ったﾌｧｲﾙを開く\n最近使ったﾌｧｲﾙ", 0},
    {ID_FILE_MRU_FILE4, "", {kNone, kNone},
     "この最近使ったﾌｧｲﾙを開く\n最近使ったﾌｧｲﾙ", 0},
    {ID_APP_EXIT, "終了(&X)", {kNone, kNone},
     "ｱﾌﾟﾘｹｰｼｮﾝを終了し、作業中のﾌｧｲﾙの保存を確認\n終了", 0},

    // Edit.
    {ID_EDIT_UNDO, "元に戻す(&U)\tCtrl+Z", {Ctrl(Qt::Key_Z), Alt(Qt::Key_Backspace)},
     "直前に行った動作を元に戻す\n元に戻す", 0},
    {ID_EDIT_REDO, "やり直し(&R)\tCtrl+Y", {Ctrl(Qt::Key_Y), CtrlShift(Qt::Key_Z)},
     "元に戻した動作をやり直す\nやり直し", 0},
    {ID_EDIT_CUT, "切り取り(&T)\tCtrl+X", {Ctrl(Qt::Key_X), Shift(Qt::Key_Delete)},
     "選択範囲を切り取ってｸﾘｯﾌﾟﾎﾞｰﾄﾞに移す\n切り取り", 0},
    {ID_EDIT_COPY, "ｺﾋﾟｰ(&C)\tCtrl+C", {Ctrl(Qt::Key_C), Ctrl(Qt::Key_Insert)},
     "選択範囲をｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ\nｺﾋﾟｰ", 0},
    {ID_EDIT_PASTE, "貼り付け(&P)\tCtrl+V", {Ctrl(Qt::Key_V), Shift(Qt::Key_Insert)},
     "ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容を挿入\n貼り付け", 0},
    {ID_EDIT_CLEAR, "", {kNone, kNone},
     "選択範囲を消去\n消去", 0},
    {ID_EDIT_SELECT_ALL, "すべて選択(&L)\tCtrl+A", {Ctrl(Qt::Key_A), kNone},
     "ﾌｧｲﾙ内のすべてを選択\nすべて選択", 0},
    {ID_EDIT_FIND, "検索(&F)...\tCtrl+F", {Ctrl(Qt::Key_F), kNone},
     "指定した文字列の検索\n検索", 0},
    {ID_EDIT_REPEAT, "次を検索(&I)\tF3", {Qt::Key_F3, kNone},
     "直前の検索を繰り返す\n次を検索", 0},
    {ID_EDIT_REPLACE, "置換(&E)\tCtrl+H", {Ctrl(Qt::Key_H), kNone},
     "指定した文字列を他の文字列で置換\n置換", 0},

    // View.
    {ID_VIEW_TOOLBAR, "ﾂｰﾙ ﾊﾞｰ(&T)", {kNone, kNone},
     "ﾂｰﾙ ﾊﾞｰの表示/非表示を切り替え\nﾂｰﾙ ﾊﾞｰの表示切り替え", kCheckable},
    {ID_VIEW_STATUS_BAR, "ｽﾃｰﾀｽ ﾊﾞｰ(&S)", {kNone, kNone},
     "ｽﾃｰﾀｽ ﾊﾞｰの表示/非表示を切り替え\nｽﾃｰﾀｽ ﾊﾞｰの表示切り替え", kCheckable},
    {ID_VIEW_LINE_NUMBERS, "行番号(&N)", {kNone, kNone},
     "行番号の表示/非表示を切り替え\n行番号の表示切り替え", kCheckable},

    // Help.
    {ID_APP_ABOUT, "ﾊﾞｰｼﾞｮﾝ情報(&A)...", {kNone, kNone},
     "ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝ、著作権を表示\nﾊﾞｰｼﾞｮﾝ情報", 0},

    // Keys of embedded-object editing and window panes. With no embedded
    // objects, Escape only ends a running compile; F6 and Shift+F6 move the
    // focus between the text and the output pane while it is shown.
    {ID_CANCEL_EDIT_CNTR, "", {Qt::Key_Escape, kNone},
     "埋め込みｵﾌﾞｼﾞｪｸﾄの編集を中止\n編集の中止", 0},
    {ID_NEXT_PANE, "", {Qt::Key_F6, kNone},
     "次のｳｨﾝﾄﾞｳ ﾍﾟｲﾝに切り替え\n次のﾍﾟｲﾝ", 0},
    {ID_PREV_PANE, "", {Shift(Qt::Key_F6), kNone},
     "前のｳｨﾝﾄﾞｳ ﾍﾟｲﾝに切り替え\n前のﾍﾟｲﾝ", 0},
    {ID_OLE_EDIT_PROPERTIES, "", {Alt(Qt::Key_Return), Alt(Qt::Key_Enter)},
     "選択したｵﾌﾞｼﾞｪｸﾄのﾌﾟﾛﾊﾟﾃｨを編集\nﾌﾟﾛﾊﾟﾃｨ", 0},
};

const MenuItemDef kEncodingMenu[] = {
    {ID_FILE_ENCODING_SJIS, 0}, {ID_FILE_ENCODING_UTF8, 0}, {ID_FILE_ENCODING_UTF8_BOM, 0},
    {kSeparator, 0},
    {ID_FILE_REOPEN_ENCODING, 0},
};

const SubMenuDef kSubMenus[] = {
    {ID_FILE_ENCODING_MENU, "文字コード(&E)", kEncodingMenu},
};

const MenuItemDef kFileMenu[] = {
    {ID_FILE_NEW, 0}, {ID_FILE_OPEN, 0}, {ID_FILE_SAVE, 0}, {ID_FILE_SAVE_AS, 0},
    {ID_FILE_RELOAD, 0},
    {kSeparator, 0},
    {ID_FILE_ENCODING_MENU, 0},
    {kSeparator, 0},
    {ID_FILE_PRINT, 0}, {ID_FILE_PRINT_SETUP, 0},
    {kSeparator, 0},
    {ID_FILE_MRU_FILE1, kGrayed},
    {kSeparator, 0},
    {ID_APP_EXIT, 0},
};

const MenuItemDef kEditMenu[] = {
    {ID_EDIT_UNDO, 0}, {ID_EDIT_REDO, 0},
    {kSeparator, 0},
    {ID_EDIT_CUT, 0}, {ID_EDIT_COPY, 0}, {ID_EDIT_PASTE, 0}, {ID_EDIT_SELECT_ALL, 0},
    {kSeparator, 0},
    {ID_EDIT_FIND, 0}, {ID_EDIT_REPEAT, 0}, {ID_EDIT_REPLACE, 0},
};

const MenuItemDef kViewMenu[] = {
    {ID_VIEW_TOOLBAR, 0}, {ID_VIEW_STATUS_BAR, 0}, {ID_VIEW_OUTPUT, 0},
    {kSeparator, 0},
    {ID_VIEW_LINE_NUMBERS, 0},
};

const MenuItemDef kCursorMenu[] = {
    {ID_CURSOR_TOP, 0}, {ID_CURSOR_END, 0}, {ID_CURSOR_LINE, 0}, {ID_CURSOR_LABEL, 0},
    {kSeparator, 0},
    {ID_CURSOR_MARK, 0}, {ID_CURSOR_BACK, 0}, {ID_CURSOR_FORWARD, 0},
    {kSeparator, 0},
    {ID_QFO_OPEN, 0},
};

const MenuItemDef kHspMenu[] = {
    {ID_HSP_RUN, 0}, {ID_HSP_STOP, 0},
    {ID_NEXT_MESSAGE, 0}, {ID_PREV_MESSAGE, 0},
    {kSeparator, 0},
    {ID_HSP_CMDLINE, 0}, {ID_HSP_FULLSCREEN, 0}, {ID_HSP_DEBUGWIN, 0},
};

const MenuItemDef kSettingsMenu[] = {
    {ID_SET_DIRECTORY, 0}, {ID_SET_COMMANDS, 0}, {ID_SET_QFO, 0},
};

const MenuItemDef kHelpMenu[] = {
    {ID_HELP_KEYWORD, 0}, {ID_HELP_GUIDE, 0},
    {kSeparator, 0},
    {ID_APP_ABOUT, 0},
};

const MenuDef kMainMenu[] = {
    {"ﾌｧｲﾙ(&F)", kFileMenu},
    {"編集(&E)", kEditMenu},
    {"表示(&V)", kViewMenu},
    {"ｶｰｿﾙ(&L)", kCursorMenu},
    {"HSP(&P)", kHspMenu},
    {"設定(&S)", kSettingsMenu},
    {"ﾍﾙﾌﾟ(&H)", kHelpMenu},
};

const PopupItemDef kContextMenu[] = {
    {"元に戻す(&U)", ID_EDIT_UNDO},
    {"やり直し(&R)", ID_EDIT_REDO},
    {nullptr, kSeparator},
    {"切り取り(&T)", ID_EDIT_CUT},
    {"コピー(&C)", ID_EDIT_COPY},
    {"貼り付け(&P)", ID_EDIT_PASTE},
    {"消去(&L)", ID_EDIT_CLEAR},
    {nullptr, kSeparator},
    {"すべて選択(&A)", ID_EDIT_SELECT_ALL},
};

const int kToolBar[] = {
    ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE,
    kSeparator,
    ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE,
    kSeparator,
    ID_EDIT_SELECT_ALL, ID_EDIT_FIND, ID_EDIT_REPEAT, ID_EDIT_REPLACE,
    kSeparator,
    ID_QFO_OPEN, ID_CURSOR_LINE, ID_CURSOR_LABEL, ID_CURSOR_MARK, ID_CURSOR_BACK,
    ID_CURSOR_FORWARD,
    kSeparator,
    ID_HSP_RUN,
    kSeparator,
    ID_HELP_KEYWORD,
};

const PaneDef kStatusPanes[] = {
    {0, nullptr},
    {ID_INDICATOR_KANA, "ｶﾅ"},
    {ID_INDICATOR_CAPS, "CAP"},
    {ID_INDICATOR_NUM, "NUM"},
    {ID_INDICATOR_SCRL, "SCRL"},
};
// clang-format on

QString PromptPart(int id, int part) {
    const CommandDef* def = FindCommand(id);
    if (!def) {
        return QString();
    }
    const QString prompt = QString::fromUtf8(def->prompt);
    const qsizetype nl = prompt.indexOf('\n');
    if (part == 0) {
        return nl < 0 ? prompt : prompt.left(nl);
    }
    return nl < 0 ? QString() : prompt.mid(nl + 1);
}

}  // namespace

std::span<const CommandDef> Commands() {
    return kCommands;
}

const CommandDef* FindCommand(int id) {
    const auto it = std::find_if(std::begin(kCommands), std::end(kCommands),
                                 [id](const CommandDef& def) { return def.id == id; });
    return it == std::end(kCommands) ? nullptr : &*it;
}

int AcceleratorCommand(QKeyCombination key) {
    const QKeyCombination plain(key.keyboardModifiers() & ~Qt::KeypadModifier, key.key());
    for (const CommandDef& def : kCommands) {
        for (const QKeyCombination& k : def.keys) {
            if (k != kNone && k == plain) {
                return def.id;
            }
        }
    }
    return 0;
}

QString StatusPrompt(int id) {
    return PromptPart(id, 0);
}
QString ToolTip(int id) {
    return PromptPart(id, 1);
}

QString MenuLabel(int id) {
    const CommandDef* def = FindCommand(id);
    return def ? QString::fromUtf8(def->label) : QString();
}

std::span<const MenuDef> MainMenu() {
    return kMainMenu;
}
const SubMenuDef* FindSubMenu(int id) {
    const auto* it = std::find_if(std::begin(kSubMenus), std::end(kSubMenus),
                                  [id](const SubMenuDef& def) { return def.id == id; });
    return it == std::end(kSubMenus) ? nullptr : &*it;
}
std::span<const PopupItemDef> ContextMenu() {
    return kContextMenu;
}
std::span<const int> ToolBarButtons() {
    return kToolBar;
}
std::span<const PaneDef> StatusPanes() {
    return kStatusPanes;
}

}  // namespace res
