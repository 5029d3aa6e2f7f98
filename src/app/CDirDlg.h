#pragma once
// "ディレクトリ設定": the HSP system folder and the HSP help folder. OK
// stores both in the settings; Cancel changes nothing, even after browsing.

#include <QString>
#include <functional>

#include "res/CDialogBase.h"

class QLineEdit;

class CDirDlg : public CDialogBase {
    Q_OBJECT
public:
    // Longest text each box takes.
    static constexpr int kMaxChars = 256;

    explicit CDirDlg(QWidget* parent = nullptr);

    // Handed in before the dialog runs, handed back after OK.
    QString m_hspdir;
    QString m_hsphelp;
    // The boxes' texts, taken when OK is pressed.
    QString m_editdir;
    QString m_edithelp;

    // Asks for a folder; returns its path, or an empty string when the user
    // cancelled.
    QString BrowseForFolder();

    // The folder picker that BrowseForFolder uses (tests put their own in;
    // an empty function restores the file dialog).
    using FolderPicker = std::function<QString(QWidget* parent, const QString& title)>;
    static void SetFolderPickerForTesting(FolderPicker picker);

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    void OnBrowseDir();
    void OnBrowseHelp();
    void BrowseInto(QLineEdit* box);
};
