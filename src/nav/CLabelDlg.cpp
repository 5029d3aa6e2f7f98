#include "nav/CLabelDlg.h"

#include <QListWidget>

#include "res/DialogResources.h"

CLabelDlg::CLabelDlg(QWidget* parent)
    : CDialogBase(IDD_LABEL, parent), m_list(Control<QListWidget>(IDC_LIST1)) {
    connect(m_list, &QListWidget::itemSelectionChanged, this, &CLabelDlg::OnSelchangeList);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CLabelDlg::OnDblclkList);
}

void CLabelDlg::UpdateData(bool save) {
    if (save) {
        m_label = GetDlgItemText(IDC_EDIT1);
        m_line = GetDlgItemText(IDC_EDIT2).toInt();
    } else {
        SetDlgItemText(IDC_EDIT1, m_label);
        SetDlgItemText(IDC_EDIT2, QString::number(m_line));
    }
}

void CLabelDlg::OnInitDialog() {
    UpdateData(false);
    GetDlgItem(IDC_EDIT1)->setFocus();
    m_list->addItems(m_labels);
    m_list->clearSelection();
}

int CLabelDlg::SelectedRow() const {
    const QList<QListWidgetItem*> items = m_list->selectedItems();
    return items.isEmpty() ? -1 : m_list->row(items.first());
}

void CLabelDlg::OnSelchangeList() {
    const int row = SelectedRow();
    if (row < 0 || row >= m_lines.size()) {
        return;
    }
    m_label = m_list->item(row)->text();
    m_line = m_lines.at(row);
    UpdateData(false);
}

void CLabelDlg::OnDblclkList() {
    const int row = SelectedRow();
    if (row < 0) {
        return;
    }
    m_label = m_list->item(row)->text();
    OnOK();
}

void CLabelDlg::OnOK() {
    UpdateData(true);
    CDialogBase::OnOK();
}
