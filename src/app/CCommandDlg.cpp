#include "app/CCommandDlg.h"

#include <QLineEdit>
#include <QPushButton>
#include <limits>

#include "doc/HspCommand.h"
#include "res/DialogResources.h"

CCommandDlg::CCommandDlg(QWidget* parent) : CDialogBase(IDD_COMMANDS, parent) {
    for (const int id : {IDC_EDIT1, IDC_EDIT2}) {
        Control<QLineEdit>(id)->setMaxLength(std::numeric_limits<int>::max());
    }
    connect(Control<QPushButton>(IDC_BUTTON1), &QPushButton::clicked, this, [this]() {
        SetDlgItemText(IDC_EDIT1, QString::fromUtf8(kDefaultCompileCommand));
        SetDlgItemText(IDC_EDIT2, QString::fromUtf8(kDefaultRunCommand));
    });
}

void CCommandDlg::OnInitDialog() {
    SetDlgItemText(IDC_EDIT1, m_compile);
    SetDlgItemText(IDC_EDIT2, m_run);
}

void CCommandDlg::OnOK() {
    m_compile = GetDlgItemText(IDC_EDIT1);
    m_run = GetDlgItemText(IDC_EDIT2);
    CDialogBase::OnOK();
}
