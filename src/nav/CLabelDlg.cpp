#include "nav/CLabelDlg.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

CLabelDlg::CLabelDlg(QWidget* parent) : QDialog(parent) {
    auto* layout = new QVBoxLayout(this);
    m_nameBox = new QLineEdit(this);
    m_lineBox = new QLineEdit(this);
    m_lineBox->setReadOnly(true);
    m_list = new QListWidget(this);
    layout->addWidget(m_nameBox);
    layout->addWidget(m_lineBox);
    layout->addWidget(m_list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    connect(m_list, &QListWidget::itemSelectionChanged, this, &CLabelDlg::OnSelchangeList);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CLabelDlg::OnDblclkList);
}

int CLabelDlg::exec() {
    UpdateBoxes();
    m_nameBox->setFocus();
    m_list->addItems(m_labels);
    m_list->setCurrentRow(-1);
    return QDialog::exec();
}

int CLabelDlg::SelectedRow() const {
    const QList<QListWidgetItem*> items = m_list->selectedItems();
    return items.isEmpty() ? -1 : m_list->row(items.first());
}

void CLabelDlg::UpdateBoxes() {
    m_nameBox->setText(m_label);
    m_lineBox->setText(QString::number(m_line));
}

void CLabelDlg::OnSelchangeList() {
    const int row = SelectedRow();
    if (row < 0 || row >= m_lines.size()) {
        return;
    }
    m_label = m_list->item(row)->text();
    m_line = m_lines.at(row);
    UpdateBoxes();
}

void CLabelDlg::OnDblclkList() {
    const int row = SelectedRow();
    if (row < 0) {
        return;
    }
    m_label = m_list->item(row)->text();
    accept();
}

void CLabelDlg::accept() {
    m_label = m_nameBox->text();
    QDialog::accept();
}
