#include "app/CRunOptionDlg.h"

#include <QLineEdit>
#include <limits>

#include "res/DialogResources.h"

CRunOptionDlg::CRunOptionDlg(QWidget* parent) : CDialogBase(IDD_RUNOPTION, parent) {
    // The box takes a command line of any length.
    Control<QLineEdit>(IDC_EDIT1)->setMaxLength(std::numeric_limits<int>::max());
}

void CRunOptionDlg::OnInitDialog() {
    SetDlgItemText(IDC_EDIT1, m_cmdline);
}

void CRunOptionDlg::OnOK() {
    m_cmdline = GetDlgItemText(IDC_EDIT1);
    CDialogBase::OnOK();
}
