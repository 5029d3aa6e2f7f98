#pragma once
// Every text the editor shows in a message box or a file dialog (menus and
// dialog layouts have their own tables), and the three kinds of message box. "%1" in a text stands
// for what QString::arg fills in.

#include <QString>

#include "text/FileReader.h"

class QWidget;

namespace msg {

// Files.
inline constexpr char kFileNotFound[] = "%1 が見つかりません。";
inline constexpr char kReadError[] = "%1 の読み取り中に予期しないｴﾗｰが発生しました。";
inline constexpr char kWriteError[] = "%1 の書き込み中に予期しないｴﾗｰが発生しました。";
inline constexpr char kUnencodable[] =
    "%1 行目に Shift_JIS で保存できない文字があります。保存を中止しました。";
inline constexpr char kAskToSave[] = "%1 への変更を保存しますか?";
inline constexpr char kNotRegularFile[] = "%1 は通常のファイルではないため開けません。";
inline constexpr char kFileTooLarge[] = "%1 は大きすぎて開けません (%2 MB まで)。";
inline constexpr char kOutOfMemory[] = "%1 を読み込むためのメモリが足りません。";
inline constexpr char kNotUtf8[] =
    "%1 には UTF-8 として読めないバイトがあるため、UTF-8 では開けません。";
inline constexpr char kEncodingPrompt[] = "文字コード:";
inline constexpr char kWordListError[] = "QUILL.DAT ファイルにアクセス出来ません。";

// Compile and run. A failure that the HSP folder setting can mend says
// where it is set.
#define QUILL_HSP_FOLDER_HINT "\nHSP システムのフォルダは「設定 → ディレクトリ設定」で設定します。"
inline constexpr char kDirectoryError[] = "ディレクトリ設定エラー" QUILL_HSP_FOLDER_HINT;
inline constexpr char kTmpError[] = "hsptmp ファイルにアクセス出来ません。" QUILL_HSP_FOLDER_HINT;
inline constexpr char kCompilerError[] =
    "hspcmp.dll ファイルにアクセス出来ません。" QUILL_HSP_FOLDER_HINT;
inline constexpr char kCompilerEntryMissing[] =
    "hspcmp.dll に関数 %1 がありません。コンパイルを中止しました。" QUILL_HSP_FOLDER_HINT;
#undef QUILL_HSP_FOLDER_HINT
inline constexpr char kCompilerNotExecutable[] =
    "コンパイラ %1 が見つからないか、実行できません (hspcmp.dll もありません)。\n"
    "設定 → コマンド設定 でコンパイルのコマンドを、"
    "設定 → ディレクトリ設定 で HSP システムの位置を確かめてください。";
inline constexpr char kAskToStopProgram[] =
    "実行中のプログラムがあります。停止してから実行し直しますか?";

// The output pane: its title, its button, what runs; its own lines: the
// command that runs, how it ended.
inline constexpr char kPaneTitle[] = "出力";
inline constexpr char kPaneStop[] = "停止";
inline constexpr char kPaneCompiling[] = "コンパイル中…";
inline constexpr char kPaneRunning[] = "実行中…";
inline constexpr char kPaneCommand[] = "> %1";
inline constexpr char kPaneExitOk[] = "終了 (%1)";
inline constexpr char kPaneExitError[] = "エラー (%1)";
inline constexpr char kPaneCrashed[] = "異常終了しました";
inline constexpr char kPaneStopped[] = "停止しました";
inline constexpr char kPaneTimedOut[] = "%1 秒たっても終わらないため停止しました";
inline constexpr char kPaneCompiled[] = "コンパイル成功";
inline constexpr char kPaneNotStarted[] = "%1 を起動できませんでした (%2)";

// Editing, navigation, help and printing.
inline constexpr char kSearchNotFound[] = "検索文字列 '%1' が見つかりません。";
inline constexpr char kLabelNotFound[] = "ラベルが見つかりません。";
inline constexpr char kHelpError[] =
    "ヘルプファイルにアクセスできません。\n"
    "ヘルプのフォルダは「設定 → ディレクトリ設定」で設定します。";
inline constexpr char kPrintError[] = "印刷を開始できませんでした。";

// Settings.
inline constexpr char kTooLong[] = "%1 文字以内で入力してください。";

// QuickFileOpen.
inline constexpr char kQfoFileNotFound[] = "ファイルが見つかりません。";
inline constexpr char kQfoNothingSelected[] = "データが選択されていません。";
inline constexpr char kQfoCannotDelete[] = "登録を削除できませんでした。";
// The one, grayed line of the popup when nothing is registered.
inline constexpr char kQfoNoEntries[] =
    "登録がありません。\n設定 → QuickFileOpen設定\nで登録します。";
inline constexpr char kQfoInvalidName[] =
    "登録名が入力されていないか、無効な文字が含まれています。";

// File dialogs: the script filter and the every-file filter (the
// QuickFileOpen entry dialog spells the second its own way), joined by ";;"
// where a dialog takes one string.
inline constexpr char kScriptFilter[] = "ＨＳＰスクリプト(*.as)";
inline constexpr char kAllFilesFilter[] = "すべてのﾌｧｲﾙ (*.*)";
inline constexpr char kQfoAllFilesFilter[] = "すべてのファイル(*.*)";
inline constexpr char kFolderPickerTitle[] = "フォルダを選択してください";
// The name of a script that has none yet.
inline constexpr char kUntitled[] = "無題";
// The buttons of the save prompt.
inline constexpr char kYes[] = "はい(&Y)";
inline constexpr char kNo[] = "いいえ(&N)";
inline constexpr char kCancel[] = "キャンセル";

// Recovery copies of unsaved text.
inline constexpr char kRecoveryQuestion[] =
    "QUILL が正しく終了しなかったため、保存されていない変更が残っています。\n%1\n\n"
    "変更を復元しますか?\n"
    "「復元」で変更を開きます (保存するまでファイルは書き換えません)。\n"
    "「破棄」で復元データを削除します。\n"
    "「後で」で何もせず、次回の起動時にもう一度確認します。";
inline constexpr char kRecoveryRestore[] = "復元(&R)";
inline constexpr char kRecoveryDiscard[] = "破棄(&D)";
inline constexpr char kRecoveryLater[] = "後で(&L)";
inline constexpr char kRecoveryConfirmDiscard[] = "復元データを削除します。よろしいですか?";
inline constexpr char kRecoveryChangedOnDisk[] =
    "※ このファイルは復元データの作成後に変更されています。";
inline constexpr char kRecoveryScriptMissing[] = "※ このファイルは見つかりません。";
inline constexpr char kRecoveryUnreadable[] =
    "次の復元データは読み取れないため、削除せずに残しています:\n%1";
inline constexpr char kRecoveryNotLaunched[] =
    "次の復元データを開く QUILL を起動できませんでした。"
    "復元データは次回の起動時にもう一度確認します:\n%1";
inline constexpr char kRecoveryFolderError[] = "復元データのフォルダ %1 に書き込めません。";
inline constexpr char kRecoveryWriteError[] = "復元データ %1 を書き込めません (%2)";
inline constexpr char kRecoveryNoHeader[] = "復元データの見出しがありません";
inline constexpr char kRecoveryFieldMissing[] = "復元データの見出しに %1 がありません";
inline constexpr char kRecoveryBadHeader[] = "復元データの見出しが壊れています";
inline constexpr char kRecoveryBadLength[] = "復元データの本文の長さが合いません (%1 / %2 バイト)";

// The script changed on disk by another program.
inline constexpr char kReloaded[] = "%1 を再読み込みしました。";
inline constexpr char kChangedOnDisk[] =
    "%1 は他のプログラムによって変更されています。\n\n"
    "「再読み込み」でディスク上の内容を開きます。保存されていない変更は破棄しますが、"
    "次回の起動時まで復元データとして残します。\n"
    "「編集を続ける」で変更を残します (保存するときに上書きを確認します)。";
inline constexpr char kAskReload[] =
    "%1 への変更を破棄して、ディスク上の内容を再読み込みしますか?\n"
    "(破棄する変更は次回の起動時まで復元データとして残します。)";
inline constexpr char kReload[] = "再読み込み(&R)";
inline constexpr char kKeepEditing[] = "編集を続ける(&K)";
inline constexpr char kAskOverwrite[] =
    "%1 は他のプログラムによって変更されています。上書きしますか?";
inline constexpr char kOverwrite[] = "上書き(&O)";
inline constexpr char kFileGone[] =
    "%1 は削除されたか移動されました。保存すると元の場所に書き込みます。";
inline constexpr char kEditsNotKept[] =
    "保存されていない変更を復元データに残せないため、再読み込みを中止しました。";

// The caption of the confirmation box.
inline constexpr char kConfirmTitle[] = "確認";

// The message for a file at `path` that could not be read.
QString ReadError(fileread::ReadStatus status, const QString& path);

// Modal boxes with one OK button over `owner` (null: no owner), waiting for
// OK. Warning: the application title and the warning icon. Plain: the
// application title, no icon. Confirm: the caption "確認", no icon.
// The text wraps and can be selected; Ctrl+C copies the selection, or the
// whole text when nothing is selected. A long text scrolls in a text area.
void Warning(QWidget* owner, const QString& text);
void Plain(QWidget* owner, const QString& text);
void Confirm(QWidget* owner, const QString& text);
// A question with the application title and the warning icon, answered by
// `yes` or `no` (both labels as UTF-8); `no` is the default and Escape's
// answer. True for `yes`.
bool Ask(QWidget* owner, const QString& text, const char* yes, const char* no);

// The questions, with the application title and the warning icon.
// Whether to save the changes to the script named `title` first: はい,
// いいえ, キャンセル; Esc and the close box cancel.
enum class SaveAnswer { Save, Discard, Cancel };
SaveAnswer AskToSave(QWidget* owner, const QString& title);
// Whether to restore the recovery copies that `text` lists: 復元 (the
// default), 破棄; a box closed without a choice (Esc, the close box)
// decides later.
enum class RecoveryAnswer { Restore, Discard, Later };
RecoveryAnswer AskToRecover(QWidget* owner, const QString& text);

}  // namespace msg
