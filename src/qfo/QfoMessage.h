#pragma once
// The QuickFileOpen message box: caption "確認", one OK button, no icon.

#include <QString>

class QWidget;

// Texts of the QuickFileOpen messages.
inline constexpr char kQfoFileNotFound[] = "ファイルが見つかりません。";
inline constexpr char kQfoNothingSelected[] = "データが選択されていません。";
inline constexpr char kQfoCannotDelete[] = "登録を削除できませんでした。";
inline constexpr char kQfoInvalidName[] =
    "登録名が入力されていないか、無効な文字が含まれています。";

// Shows `text` modally over `owner` and waits for OK.
void QfoMessageBox(QWidget* owner, const QString& text);
