#pragma once
// The QuickFileOpen popup: the registered names in a bare, thin-bordered
// list whose top-left corner lies at m_pos. Picking a name sets m_name; with
// Shift held, m_newInstance asks for a second editor process. Escape leaves
// m_name empty. The caller reads both after DoModal, whatever its result.

#include <QPoint>
#include <QString>

#include "res/CDialogBase.h"

class QListWidget;

class CQfoPopupDlg : public CDialogBase {
    Q_OBJECT
public:
    explicit CQfoPopupDlg(QWidget* parent = nullptr);

    int m_count = 0;
    QPoint m_pos;
    QString m_name;
    bool m_newInstance = false;
    QListWidget* m_list = nullptr;

protected:
    void OnInitDialog() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The selected item's text into m_name; unchanged when none is selected.
    void TakeSelection();
    void OnSelchangeList();
    void OnDblclkList(bool shift);
};
