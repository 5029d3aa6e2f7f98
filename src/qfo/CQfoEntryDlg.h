#pragma once
// The register-and-edit dialog ("登録・編集") of QuickFileOpen: a registered
// name and a referenced file, with a file browser. OK writes the store
// itself; when the entry cannot be stored the dialog says so and stays open
// with the typed texts.

#include <QString>
#include <functional>

#include "res/CDialogBase.h"

class CQfoEntryDlg : public CDialogBase {
    Q_OBJECT
public:
    explicit CQfoEntryDlg(QWidget* parent = nullptr);

    // Set by the caller before DoModal: true to add an entry; false to edit
    // the entry named m_name (its name when the dialog opens).
    bool m_isNew = false;
    QString m_origName;
    QString m_name;
    QString m_file;

    // The filter list of the file browser, the first one preselected.
    static const QString kBrowseFilter;

    // Tests replace the file-open dialog: the function gets the owner and
    // the filter list and returns the chosen path, empty for cancel. An empty
    // function restores the real dialog.
    using BrowseHook = std::function<QString(QWidget* owner, const QString& filter)>;
    static void SetBrowseHookForTesting(BrowseHook hook);

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    // Edits to members (true) or members to edits (false).
    void UpdateData(bool save);
    void OnBrowse();
    // The chosen file's full path, or empty when the user cancelled.
    QString BrowseFile();
};
