#pragma once
// The QuickFileOpen settings dialog ("クイック・ファイルオープン"): the sorted
// registered names, the referenced file of the selected one, and buttons to
// delete, add and edit. Every change goes to the store at once and the list
// is read again from the store afterwards; OK and Cancel simply close.
// Enter always edits the selected entry and Escape does nothing.

#include <QString>

#include "res/CDialogBase.h"

class QListWidget;

class CQfoSetDlg : public CDialogBase {
    Q_OBJECT
public:
    explicit CQfoSetDlg(QWidget* parent = nullptr);

    QString m_name;
    int m_count = 0;
    QListWidget* m_list = nullptr;
    QString m_file;

protected:
    void OnInitDialog() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RefreshList();
    // The selected item's text, or empty when none is selected.
    QString SelectedName() const;
    void OnSelchangeList();
    void OnDblclkList();
    void OnDelete();
    void OnAdd();
    void OnEdit();
};
