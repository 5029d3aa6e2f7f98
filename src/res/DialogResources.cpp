#include "res/DialogResources.h"

#include <iterator>

namespace {

using K = DlgControlKind;
using namespace dlgstyle;

constexpr char kFont[] = "ＭＳ Ｐゴシック";
constexpr int kPoints = 9;
// An edit box or list: framed. A list scrolls when its items need it.
constexpr unsigned kField = kBorder;
constexpr unsigned kListStyles = kVScroll;

// Version information.
constexpr DlgControl kAbout[] = {
    {K::Icon, IDC_STATIC, "", 20, 44, 0, 0, kNone},
    {K::Static, IDC_STATIC, "QUILL Version 1.04", 48, 23, 75, 8, kNone},
    {K::Static, IDC_STATIC, "HSP スクリプトのためのエディタ", 48, 38, 115, 8, kNone},
    {K::Static, IDC_STATIC, "Linux 版 (Qt 6 Widgets)", 48, 63, 170, 8, kNone},
    {K::Static, IDC_STATIC, "使い方: QUILL のソース一式にある README.md", 48, 79, 170, 8, kNone},
    {K::DefPushButton, IDOK, "OK", 167, 21, 41, 22, kNone},
};

// Go to label.
constexpr DlgControl kLabel[] = {
    {K::DefPushButton, IDOK, "OK", 25, 130, 50, 15, kNone},
    {K::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 85, 130, 50, 15, kNone},
    {K::Static, IDC_STATIC, "*", 13, 13, 8, 8, kNone},
    {K::Edit, IDC_EDIT1, "", 20, 10, 75, 15, kField},
    {K::ListBox, IDC_LIST1, "", 20, 35, 120, 80, kField | kListStyles},
    {K::Edit, IDC_EDIT2, "", 95, 10, 45, 15, kField | kReadOnly | kRightAlign},
};

// Go to line.
constexpr DlgControl kLine[] = {
    {K::DefPushButton, IDOK, "OK", 15, 45, 50, 15, kNone},
    {K::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 75, 45, 50, 15, kNone},
    {K::Static, IDC_STATIC, "LINE :", 15, 20, 18, 8, kNone},
    {K::Edit, IDC_EDIT1, "", 35, 15, 86, 15, kField},
};

// HSP system and help folders.
constexpr DlgControl kDirectory[] = {
    {K::DefPushButton, IDOK, "OK", 110, 80, 50, 20, kNone},
    {K::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 170, 80, 50, 20, kNone},
    {K::Static, IDC_STATIC, "HSPシステムの位置", 10, 20, 60, 8, kNone},
    {K::Edit, IDC_EDIT1, "", 75, 15, 105, 15, kField},
    {K::Edit, IDC_EDIT2, "", 75, 45, 105, 15, kField},
    {K::Static, IDC_STATIC, "HSPヘルプの位置", 10, 50, 54, 8, kNone},
    {K::PushButton, IDC_BUTTON1, "参照", 195, 15, 30, 15, kNone},
    {K::PushButton, IDC_BUTTON2, "参照", 195, 45, 30, 15, kNone},
};

// Command line for the run script.
constexpr DlgControl kRunOption[] = {
    {K::DefPushButton, IDOK, "OK", 55, 45, 50, 20, kNone},
    {K::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 115, 45, 55, 20, kNone},
    {K::Static, IDC_STATIC, "コマンドライン：", 10, 20, 43, 8, kNone},
    {K::Edit, IDC_EDIT1, "", 55, 15, 129, 15, kField},
};

// QuickFileOpen entry list.
constexpr DlgControl kQfoSet[] = {
    {K::DefPushButton, IDOK, "OK", 195, 110, 45, 20, kNone},
    {K::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 195, 140, 45, 20, kNone},
    {K::ListBox, IDC_LIST1, "", 10, 25, 135, 95, kField | kListStyles},
    {K::Edit, IDC_EDIT1, "", 10, 145, 175, 15, kField | kReadOnly},
    {K::PushButton, IDC_BUTTON1, "削除", 155, 95, 30, 20, kNone},
    {K::PushButton, IDC_BUTTON2, "追加", 155, 35, 30, 20, kNone},
    {K::PushButton, IDC_BUTTON3, "編集", 155, 65, 30, 20, kNone},
    {K::Static, IDC_STATIC, "登録名", 10, 10, 22, 8, kNone},
    {K::Static, IDC_STATIC, "参照ファイル", 10, 130, 38, 8, kNone},
};

// QuickFileOpen entry: register or edit.
constexpr DlgControl kQfoEntry[] = {
    {K::DefPushButton, IDOK, "OK", 165, 10, 45, 15, kNone},
    {K::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 165, 30, 45, 15, kNone},
    {K::Edit, IDC_EDIT1, "", 10, 20, 110, 15, kField},
    {K::PushButton, IDC_BUTTON1, "参照", 130, 55, 25, 15, kNone},
    {K::Edit, IDC_EDIT2, "", 10, 55, 110, 15, kField},
    {K::Static, IDC_STATIC, "登録名", 10, 10, 22, 8, kNone},
    {K::Static, IDC_STATIC, "参照ファイル", 10, 45, 38, 8, kNone},
};

// QuickFileOpen popup: one list that fills a window without title bar.
constexpr DlgControl kQfoPopup[] = {
    {K::ListBox, IDC_LIST1, "", 0, 0, 116, 91, kField | kListStyles},
};

// Compile and run commands, with the placeholders they may hold.
constexpr DlgControl kCommands[] = {
    {K::Static, IDC_STATIC, "コンパイル(&C):", 10, 13, 48, 8, kMnemonic},
    {K::Edit, IDC_EDIT1, "", 60, 10, 190, 14, kField, "compile"},
    {K::Static, IDC_STATIC, "実行(&R):", 10, 33, 48, 8, kMnemonic},
    {K::Edit, IDC_EDIT2, "", 60, 30, 190, 14, kField, "run"},
    {K::Static, IDC_STATIC,
     "%h  HSPフォルダ (末尾に / 付き)　　%s  hsptmp のパス　　%o  obj のパス\n"
     "%f  スクリプトのパス　　%d  作業フォルダ　　%a  起動フラグ (* @)\n"
     "%c  起動オプション　　%i  UTF-8 のスクリプトなら -i　　%%  %\n"
     "空欄のコマンドは使いません (コンパイルが空欄なら hspcmp.dll を使います)。",
     10, 52, 240, 40, kNone, "placeholders"},
    {K::PushButton, IDC_BUTTON1, "既定値に戻す", 10, 100, 60, 16, kNone, "defaults"},
    {K::DefPushButton, IDOK, "OK", 140, 100, 50, 16, kNone},
    {K::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 200, 100, 50, 16, kNone},
};

#define QUILL_DLG(id, title, w, h, caption, controls) \
    { id, title, w, h, kFont, kPoints, caption, controls, std::size(controls) }

// Find, and find and replace. Controls are looked up by id and, in the
// tests, by name.
constexpr DlgControl kFind[] = {
    {K::Static, IDC_STATIC, "検索する文字列(&N):", 6, 9, 72, 8, kMnemonic, "findLabel"},
    {K::Edit, IDC_FIND_WHAT, "", 80, 7, 144, 12, kField, "findWhat"},
    {K::CheckBox, IDC_WHOLE_WORD, "単語単位で探す(&W)", 6, 28, 110, 10, kNone, "wholeWord"},
    {K::CheckBox, IDC_MATCH_CASE, "大文字と小文字を区別する(&C)", 6, 44, 126, 10, kNone,
     "matchCase"},
    {K::GroupBox, IDC_STATIC, "方向", 138, 24, 86, 32, kNone, "direction"},
    {K::RadioButton, IDC_UP, "上へ(&U)", 144, 38, 38, 10, kNone, "up"},
    {K::RadioButton, IDC_DOWN, "下へ(&D)", 184, 38, 38, 10, kNone, "down"},
    {K::DefPushButton, IDOK, "次を検索(&F)", 230, 6, 62, 14, kNone, "findNext"},
    {K::PushButton, IDCANCEL, "キャンセル", 230, 24, 62, 14, kNone, "cancel"},
};

constexpr DlgControl kReplace[] = {
    {K::Static, IDC_STATIC, "検索する文字列(&N):", 6, 9, 72, 8, kMnemonic, "findLabel"},
    {K::Edit, IDC_FIND_WHAT, "", 80, 7, 144, 12, kField, "findWhat"},
    {K::Static, IDC_STATIC, "置換後の文字列(&P):", 6, 26, 72, 8, kMnemonic, "replaceLabel"},
    {K::Edit, IDC_REPLACE_WITH, "", 80, 24, 144, 12, kField, "replaceWith"},
    {K::CheckBox, IDC_WHOLE_WORD, "単語単位で探す(&W)", 6, 46, 110, 10, kNone, "wholeWord"},
    {K::CheckBox, IDC_MATCH_CASE, "大文字と小文字を区別する(&C)", 6, 62, 126, 10, kNone,
     "matchCase"},
    {K::DefPushButton, IDOK, "次を検索(&F)", 230, 6, 62, 14, kNone, "findNext"},
    {K::PushButton, IDC_REPLACE, "置換して次に(&R)", 230, 23, 62, 14, kNone, "replace"},
    {K::PushButton, IDC_REPLACE_ALL, "すべて置換(&A)", 230, 40, 62, 14, kNone, "replaceAll"},
    {K::PushButton, IDCANCEL, "キャンセル", 230, 57, 62, 14, kNone, "cancel"},
};

constexpr DlgTemplate kTemplates[] = {
    QUILL_DLG(IDD_ABOUTBOX, "ﾊﾞｰｼﾞｮﾝ情報", 229, 120, true, kAbout),
    QUILL_DLG(IDD_LABEL, "ラベル名を入力して下さい", 159, 155, true, kLabel),
    QUILL_DLG(IDD_LINE, "移動先の行数を入力して下さい", 139, 69, true, kLine),
    QUILL_DLG(IDD_DIRECTORY, "ディレクトリの位置を入力して下さい", 234, 115, true, kDirectory),
    QUILL_DLG(IDD_RUNOPTION, "起動オプションを入力して下さい", 194, 79, true, kRunOption),
    QUILL_DLG(IDD_QFOSET, "クイック・ファイルオープン", 249, 175, true, kQfoSet),
    QUILL_DLG(IDD_QFOENTRY, "登録・編集", 219, 85, true, kQfoEntry),
    QUILL_DLG(IDD_QFOPOPUP, "", 116, 91, false, kQfoPopup),
    QUILL_DLG(IDD_FIND, "検索", 298, 62, true, kFind),
    QUILL_DLG(IDD_REPLACE, "置換", 298, 78, true, kReplace),
    QUILL_DLG(IDD_COMMANDS, "コマンド設定", 260, 124, true, kCommands),
};

#undef QUILL_DLG

}  // namespace

const DlgTemplate* FindDlgTemplate(int id) {
    for (const DlgTemplate& t : kTemplates) {
        if (t.id == id) {
            return &t;
        }
    }
    return nullptr;
}
