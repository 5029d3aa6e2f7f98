#pragma once
// Dialog 131: lists the script's labels and asks for the name of the one to
// go to. Picking a row fills the name box and the read-only line box; a
// double-click on a row ends the dialog as OK. The result is the name box's
// text, typed or picked.

#include <QList>
#include <QString>
#include <QStringList>

#include "res/CDialogBase.h"

class QListWidget;

class CLabelDlg : public CDialogBase {
    Q_OBJECT
public:
    explicit CLabelDlg(QWidget* parent = nullptr);

    // In: label names in text order, and the one-based line of each. The
    // list has no fixed capacity.
    QStringList m_labels;
    QList<int> m_lines;
    // Out: the text of the name box (box 1001).
    QString m_label;
    // The number in the read-only box 1002.
    int m_line = 0;

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    void OnSelchangeList();
    void OnDblclkList();
    // Index of the selected row, or -1.
    int SelectedRow() const;
    // Boxes to members (`save`) or members to boxes.
    void UpdateData(bool save);

    QListWidget* m_list;
};
