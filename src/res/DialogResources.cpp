#include "res/DialogResources.h"

#include <iterator>

namespace {

using K = DlgControlKind;
using namespace dlgstyle;

constexpr char kFont[] = "ＭＳ Ｐゴシック";
constexpr int kPoints = 9;
// An edit box or list as the resource editor makes it: framed, reachable by Tab.
constexpr unsigned kField = kBorder | kTabStop;
constexpr unsigned kListStyles = kNotify | kNoIntegralHeight | kWantKeyboardInput | kVScroll;

// Version information.
constexpr DlgControl kAbout[] = {
    {K::Icon, IDC_STATIC, "", 20, 44, 0, 0, kNone},
    {K::Static, IDC_STATIC, "QUILL Version 1.04", 48, 23, 75, 8, kNone},
    {K::Static, IDC_STATIC, "HSP スクリプトのためのエディタ", 48, 38, 115, 8, kNone},
    {K::Static, IDC_STATIC, "Linux 版 (Qt 6 Widgets)", 48, 63, 170, 8, kNone},
    {K::Static, IDC_STATIC, "使い方: QUILL のソース一式にある README.md", 48, 79, 170, 8, kNone},
    {K::DefPushButton, IDOK, "OK", 167, 21, 41, 22, kTabStop},
};

// Go to label.
constexpr DlgControl kLabel[] = {
    {K::DefPushButton, IDOK, "OK", 25, 130, 50, 15, kTabStop},
    {K::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 85, 130, 50, 15, kTabStop},
    {K::Static, IDC_STATIC, "*", 13, 13, 8, 8, kNone},
    {K::Edit, IDC_EDIT1, "", 20, 10, 75, 15, kField | kAutoHScroll},
    {K::ListBox, IDC_LIST1, "", 20, 35, 120, 80, kField | kListStyles},
    {K::Edit, IDC_EDIT2, "", 95, 10, 45, 15, kField | kReadOnly | kRightAlign},
};

// Go to line.
constexpr DlgControl kLine[] = {
    {K::DefPushButton, IDOK, "OK", 15, 45, 50, 15, kTabStop},
    {K::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 75, 45, 50, 15, kTabStop},
    {K::Static, IDC_STATIC, "LINE :", 15, 20, 18, 8, kNone},
    {K::Edit, IDC_EDIT1, "", 35, 15, 86, 15, kField | kAutoHScroll},
};

// HSP system and help folders.
constexpr DlgControl kDirectory[] = {
    {K::DefPushButton, IDOK, "OK", 110, 80, 50, 20, kTabStop},
    {K::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 170, 80, 50, 20, kTabStop},
    {K::Static, IDC_STATIC, "HSPシステムの位置", 10, 20, 60, 8, kNone},
    {K::Edit, IDC_EDIT1, "", 75, 15, 105, 15, kField | kAutoHScroll},
    {K::Edit, IDC_EDIT2, "", 75, 45, 105, 15, kField | kAutoHScroll},
    {K::Static, IDC_STATIC, "HSPヘルプの位置", 10, 50, 54, 8, kNone},
    {K::PushButton, IDC_BUTTON1, "参照", 195, 15, 30, 15, kTabStop},
    {K::PushButton, IDC_BUTTON2, "参照", 195, 45, 30, 15, kTabStop},
};

// Command line for the run script.
constexpr DlgControl kRunOption[] = {
    {K::DefPushButton, IDOK, "OK", 55, 45, 50, 20, kTabStop},
    {K::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 115, 45, 55, 20, kTabStop},
    {K::Static, IDC_STATIC, "コマンドライン：", 10, 20, 43, 8, kNone},
    {K::Edit, IDC_EDIT1, "", 55, 15, 129, 15, kField | kAutoHScroll},
};

// QuickFileOpen entry list.
constexpr DlgControl kQfoSet[] = {
    {K::DefPushButton, IDOK, "OK", 195, 110, 45, 20, kTabStop},
    {K::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 195, 140, 45, 20, kTabStop},
    {K::ListBox, IDC_LIST1, "", 10, 25, 135, 95, kField | kListStyles | kSort},
    {K::Edit, IDC_EDIT1, "", 10, 145, 175, 15, kField | kReadOnly | kAutoHScroll},
    {K::PushButton, IDC_BUTTON1, "削除", 155, 95, 30, 20, kTabStop},
    {K::PushButton, IDC_BUTTON2, "追加", 155, 35, 30, 20, kTabStop},
    {K::PushButton, IDC_BUTTON3, "編集", 155, 65, 30, 20, kTabStop},
    {K::Static, IDC_STATIC, "登録名", 10, 10, 22, 8, kNone},
    {K::Static, IDC_STATIC, "参照ファイル", 10, 130, 38, 8, kNone},
};

// QuickFileOpen entry: register or edit.
constexpr DlgControl kQfoEntry[] = {
    {K::DefPushButton, IDOK, "OK", 165, 10, 45, 15, kTabStop},
    {K::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 165, 30, 45, 15, kTabStop},
    {K::Edit, IDC_EDIT1, "", 10, 20, 110, 15, kField | kAutoHScroll},
    {K::PushButton, IDC_BUTTON1, "参照", 130, 55, 25, 15, kTabStop},
    {K::Edit, IDC_EDIT2, "", 10, 55, 110, 15, kField | kAutoHScroll},
    {K::Static, IDC_STATIC, "登録名", 10, 10, 22, 8, kNone},
    {K::Static, IDC_STATIC, "参照ファイル", 10, 45, 38, 8, kNone},
};

// QuickFileOpen popup: one list that fills a window without title bar.
constexpr DlgControl kQfoPopup[] = {
    {K::ListBox, IDC_LIST1, "", 0, 0, 116, 91, kField | kListStyles | kSort},
};

#define QUILL_DLG(id, title, w, h, caption, controls) \
    { id, title, w, h, kFont, kPoints, caption, controls, std::size(controls) }

constexpr DlgTemplate kTemplates[] = {
    QUILL_DLG(IDD_ABOUTBOX, "ﾊﾞｰｼﾞｮﾝ情報", 229, 120, true, kAbout),
    QUILL_DLG(IDD_LABEL, "ラベル名を入力して下さい", 159, 155, true, kLabel),
    QUILL_DLG(IDD_LINE, "移動先の行数を入力して下さい", 139, 69, true, kLine),
    QUILL_DLG(IDD_DIRECTORY, "ディレクトリの位置を入力して下さい", 234, 115, true, kDirectory),
    QUILL_DLG(IDD_RUNOPTION, "起動オプションを入力して下さい", 194, 79, true, kRunOption),
    QUILL_DLG(IDD_QFOSET, "クイック・ファイルオープン", 249, 175, true, kQfoSet),
    QUILL_DLG(IDD_QFOENTRY, "登録・編集", 219, 85, true, kQfoEntry),
    QUILL_DLG(IDD_QFOPOPUP, "", 116, 91, false, kQfoPopup),
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
